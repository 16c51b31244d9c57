// The window monkey: the real main window on the offscreen platform, driven
// by random mouse, wheel and key events delivered the way QTest delivers a
// user's, with a bias that takes it into play (new game, gold, purchases,
// start, landing, orders on its own units, END TURN). An open menu, list
// popup or message box is answered first, at random; a file dialog with a
// file of the play's own saves folder.
//
// Everything follows from the seed: Qt's event processing skips timers, so
// the window's own timers fire only as the monkey's "tick" events, the
// window's random source draws its seeds from the monkey's generator, and the
// drawing tick's clock moves on by the monkey's steps.
#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

class QFileDialog;
class QMenu;

namespace tarq {
class TMainForm;
}

namespace tarq::monkey {

class Monkey {
public:
    // `workDir` holds graph/ with its cache; every window the monkey opens works there.
    Monkey(std::uint64_t seed, std::filesystem::path workDir);
    ~Monkey();

    // One event; returns what it did.
    std::string Step();
    TMainForm& window() { return *form_; }
    // True while the map of a launched game with a landed base is on show.
    bool InPlay() const;
    // Events by kind, windows opened, launches and landings.
    const std::map<std::string, long>& counts() const { return counts_; }

private:
    void OpenWindow();
    // Lets Qt deliver what the event posted (layouts, paints, queued calls,
    // deletions), without timers.
    void Settle();
    std::string Generic();
    std::string Setup();
    std::string FixNumberField();
    std::string Answer(QWidget* open);
    std::string AnswerDialog(QWidget* open);
    std::string AnswerMenu(QMenu* menu);
    std::string AnswerFileDialog(QFileDialog* dialog);
    std::string ClickControl(bool controlsOnly);
    std::string ClickNamed(QWidget* control);
    std::string Reach(QWidget* control);
    std::string ClickTab();
    std::string ClickMap();
    std::string Buy();
    // To `target`, or to the window's focus widget for nullptr.
    std::string PressKey(QWidget* target);
    std::string TurnWheel();
    std::string Tick();
    std::string Resize();
    std::string Count(const std::string& kind, std::string done);

    // A click (or double click, or drag) at `p` of `w`, delivered to the
    // widget on top there, after the pointer moved over it.
    std::string Click(QWidget* w, QPoint p, bool allowDrag = true);
    std::string LeftClick(QWidget* w, QPoint p);
    void Activate(QWidget* w);
    void Hover(QWidget* w, QPoint p);
    QPoint CellPoint(int col, int row) const;
    bool OnSurface(QPoint p) const;

    int R(int n) { return n > 0 ? static_cast<int>(rng_() % static_cast<std::uint64_t>(n)) : 0; }
    // A random element of a list that is not empty.
    template <typename T>
    T Pick(const std::vector<T>& list) {
        return list[static_cast<std::size_t>(R(static_cast<int>(list.size())))];
    }
    bool Chance(int percent) { return R(100) < percent; }
    QPoint PointIn(const QWidget* w) { return {R(w->width()), R(w->height())}; }

    std::mt19937_64 rng_;
    std::filesystem::path workDir_;
    std::unique_ptr<TMainForm> form_;
    // Answers a menu or dialog that an event opens in a nested event loop.
    QTimer guard_;
    std::string guardLog_;
    std::map<std::string, long> counts_;
    bool launched_ = false, landed_ = false;
    std::int64_t now_ = 0;  // the window's clock, in milliseconds
};

}  // namespace tarq::monkey
