// One machine of a network game in the tests: its own data folder and an
// exchange with the game's place, and what the exchange has told it.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "net/TurnExchange.h"

namespace tarq::testing {

inline QCoreApplication& NetTestApplication() {
    static int argc = 1;
    static char name[] = "tarq_net_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}

// Runs the event loop until `done` holds or `ms` have passed; whether it holds.
// The loop waits for events instead of sleeping between looks, so transfers
// run at full speed and a moment is measured to the millisecond.
inline bool WaitFor(const std::function<bool()>& done, int ms) {
    QEventLoop loop;
    QTimer look;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (done() || clock.elapsed() >= ms) loop.quit();
    });
    look.start(1);
    if (!done()) loop.exec();
    return done();
}
inline void Wait(int ms) {
    WaitFor([] { return false; }, ms);
}

struct NetHome {
    QTemporaryDir data;
    std::unique_ptr<net::TurnExchange> exchange;
    QList<net::TurnPointer> received;
    QList<qint64> receivedAt;  // ms on `clock`
    QList<net::TurnPointer> sent;
    QStringList problems;
    QStringList refusals;
    QElapsedTimer clock;

    NetHome(const net::GamePlace& place, const QString& password, net::ExchangeOptions options) {
        NetTestApplication();
        clock.start();
        options.dataFolder = data.path();
        exchange = std::make_unique<net::TurnExchange>(place, net::MakeBackend(place, password, 5000), options);
        QObject::connect(exchange.get(), &net::TurnExchange::turnReceived, [this](const net::TurnPointer& p) {
            received.append(p);
            receivedAt.append(clock.elapsed());
        });
        QObject::connect(exchange.get(), &net::TurnExchange::turnSent,
                         [this](const net::TurnPointer& p) { sent.append(p); });
        QObject::connect(exchange.get(), &net::TurnExchange::problem, [this](const QString& m) { problems.append(m); });
        QObject::connect(exchange.get(), &net::TurnExchange::turnRefused,
                         [this](const QString& m) { refusals.append(m); });
    }
    QString Outbox() const { return data.filePath(exchange->place().gameId + QStringLiteral("/outbox.tarq")); }
};

// Options for tests that need no pause longer than a moment.
inline net::ExchangeOptions QuickOptions(int pollMs = 2000) {
    net::ExchangeOptions options;
    options.pollMs = pollMs;
    options.firstRetryMs = 300;
    options.maxBackoffMs = 1000;
    return options;
}

}  // namespace tarq::testing
