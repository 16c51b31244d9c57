#include "desktop/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "core/World.h"
#include "platform/GraphicsCacheFiles.h"

namespace tarq {

CommandLine ParseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("TARQ — пошаговая стратегия"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption prepare(QStringLiteral("prepare-graphics"),
                                     QStringLiteral("Подготовить кэш графики из листов картинок и выйти."));
    parser.addOption(prepare);
    parser.addPositionalArgument(QStringLiteral("файл"),
                                 QStringLiteral("Сохраненная игра (.tarq), открываемая сразу на странице карты."),
                                 QStringLiteral("[файл]"));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("Можно открыть только один файл игры.")));
        std::exit(1);
    }
    CommandLine line;
    line.file = files.value(0);
    line.prepareGraphics = parser.isSet(prepare);
    return line;
}

int PrepareGraphicsCommand(const std::filesystem::path& gameFolder) {
    const std::unique_ptr<Game> game = NewGame();
    InitData(*game);
    const CacheOutcome cache = EnsureGraphicsCache(*game, gameFolder, UserCacheDir(), {});
    if (!cache.ok) {
        std::fprintf(stderr, "%s\n", cache.error.c_str());
        return 1;
    }
    std::printf("%s\n", cache.dir.c_str());
    return 0;
}

}  // namespace tarq
