#include "desktop/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "core/World.h"
#include "platform/GraphicsCacheFiles.h"

namespace tarq {

namespace {

const QString kPrepareOption = QStringLiteral("prepare-graphics");

void DescribeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral("TARQ — пошаговая стратегия"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        QCommandLineOption(kPrepareOption, QStringLiteral("Подготовить кэш графики из листов картинок и выйти.")));
    parser.addPositionalArgument(QStringLiteral("файл"),
                                 QStringLiteral("Сохраненная игра (.tarq), открываемая сразу на странице карты."),
                                 QStringLiteral("[файл]"));
}

}  // namespace

LaunchKind KindOfLaunch(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    DescribeOptions(parser);
    // An unknown option may be one of Qt's own (-platform, -style), which only
    // the window's application takes away; that one also reports a real error.
    if (!parser.parse(arguments)) return LaunchKind::Window;
    for (const char* name : {"help", "help-all", "version"})
        if (parser.isSet(QLatin1String(name))) return LaunchKind::Console;
    if (parser.positionalArguments().size() > 1) return LaunchKind::Console;  // refused with a message
    return parser.isSet(kPrepareOption) ? LaunchKind::Offscreen : LaunchKind::Window;
}

CommandLine ParseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    DescribeOptions(parser);
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("Можно открыть только один файл игры.")));
        std::exit(1);
    }
    CommandLine line;
    line.file = files.value(0);
    line.prepareGraphics = parser.isSet(kPrepareOption);
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
