#include "Driver.h"

#include <utility>
#include <variant>

#include "core/CommandCodec.h"
#include "core/StateHash.h"
#include "core/World.h"
#include "gamefile/GameFile.h"
#include "gamefile/GameFileFormat.h"
#include "orders/Execute.h"
#include "orders/Replay.h"
#include "setup/Launch.h"
#include "setup/Players.h"
#include "view/Viewport.h"

namespace tarq::autogame {

namespace {

constexpr Pixel kBlack = 0xFF000000u;

// Fifteen sheets of 2 x 2 patterns standing in for the picture files: every
// pattern number the game uses exists, and opaque, keyed and empty patterns
// alternate, so the renderer takes each of its paths.
void MakePictures(ImageList& images) {
    constexpr int kPerRow = 64, kRows = 32, kSide = 2;
    constexpr Pixel kKey = 0xFFFF00FFu;
    images.clear();
    for (int item = 0; item < 15; ++item) {
        Bitmap sheet(kPerRow * kSide, kRows * kSide, kKey);
        for (int p = 0; p < kPerRow * kRows; ++p) {
            const int mode = (p + 2) % 3;  // pattern 0 is all key, so pixel (1, 1) is the key colour
            const Pixel colour =
                0xFF000000u | ((static_cast<Pixel>(p) * 2654435761u + static_cast<Pixel>(item)) & 0xFEFEFEu);
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x)
                    if (mode == 0 || (mode == 1 && x != y))
                        sheet.at((p % kPerRow) * kSide + x, (p / kPerRow) * kSide + y) = colour;
        }
        SetSheet(images.append(), std::move(sheet), kSide, kSide, item != 0);
    }
}

Bitmap ColourStrip() {
    Bitmap strip(256, 1);
    for (int code = 0; code < 256; ++code) strip.at(code, 0) = 0xFF000000u | static_cast<Pixel>(code * 0x010305);
    return strip;
}

const char* EventName(EventKind kind) {
    switch (kind) {
        case EventKind::Moved: return "event: moved";
        case EventKind::Created: return "event: created";
        case EventKind::Released: return "event: released";
        case EventKind::BaseLanded: return "event: base landed";
        case EventKind::ConstructionStarted: return "event: construction started";
        case EventKind::ConstructionFinished: return "event: construction finished";
        case EventKind::TurnEnded: return "event: turn ended";
        case EventKind::Shot: return "event: shot";
        case EventKind::Hit: return "event: hit";
        case EventKind::Exploded: return "event: exploded";
        case EventKind::MineLaid: return "event: mine laid";
        case EventKind::MineCleared: return "event: mine cleared";
    }
    return "event";
}

}  // namespace

Driver::Driver(std::function<std::uint32_t()> seeds)
    : game_(NewGame()), seeds_(std::move(seeds)), palette_(ColourStrip()) {
    game_->Rng = RandomSource(seeds_);  // the game id comes from the seeds, as the window's from its clock
    SetStartValues(*game_);
    game_->AppActive = 1;
    MakePictures(images_);
}

bool Driver::matchStarted() const { return MatchStarted(*game_); }

Outcome Driver::Submit(Command command) { return Submit(Order{game_->CurrentPlayer, command}); }

// Now and then a match command is fingerprinted before and after: refused,
// it must have changed nothing.
Outcome Driver::Submit(const Order& order) {
    menu.reset();
    if (std::holds_alternative<cmd::Join>(order.command) && !matchStarted()) TakeRoundStart(true);
    const std::int32_t turn = game_->Turn;
    const bool watched = IsMatchCommand(order.command) && ++submitted_ % 8 == 0;
    const std::uint64_t before = watched ? StateHash(*game_) : 0;
    const Outcome out = Execute(*game_, order);
    ++events[(out.accepted ? "order " : "refused ") + std::string(CommandName(order.command))];
    for (const GameEvent& e : out.events) ++events[EventName(e.kind)];
    if (!out.accepted) {
        if (watched && StateHash(*game_) != before) trouble_ = "a refused order changed the match: " + OrderText(order);
        return out;
    }
    if (std::holds_alternative<cmd::Join>(order.command)) ShowMap();
    if (std::holds_alternative<cmd::EndTurn>(order.command)) {
        // The next player sees their map, or the new-game page until they land.
        onMap_ = !JoiningPlayer(*game_);
        UpdateViewGeometry(*game_, width_, height_);
        MarkViewForFirstFrame(*game_);
    }
    if (game_->Turn != turn) {
        if (std::string wrong = CheckRound(); !wrong.empty()) trouble_ = wrong;
        TakeRoundStart();
    }
    if (out.openMenu) menu = BuildCommandMenu(*game_);
    Draw();
    return out;
}

std::string Driver::TakeTrouble() { return std::exchange(trouble_, {}); }

// A round is checked from a state whose orders the log keeps: the match has
// begun, or the first "Старт" (which begins it) is the next order.
void Driver::TakeRoundStart(bool beforeJoin) {
    roundStart_ = std::make_unique<Game>(*game_);
    roundFrom_ = game_->Log.Entries().size();
    checkable_ = beforeJoin || matchStarted();
}

std::string Driver::CheckRound() {
    if (!roundStart_ || !checkable_) return {};
    const std::vector<LoggedOrder>& log = game_->Log.Entries();
    const auto replayed = std::make_unique<Game>(*roundStart_);
    const ReplayResult result = Replay(*replayed, log, roundFrom_, log.size());
    ++events["check: round replayed"];
    if (!result.ok)
        return "the replay of the round refused log entry " + std::to_string(result.failedAt) + ": " +
               OrderText(log[result.failedAt].order);
    if (StateHash(*replayed) != StateHash(*game_))
        return "the replay of log entries " + std::to_string(roundFrom_) + ".." + std::to_string(log.size()) +
               " reached another state than the game";
    return {};
}

// "Старт" accepted: the map page with its initial view on the surface.
void Driver::ShowMap() {
    Game& g = *game_;
    onMap_ = true;
    Execute(g, {g.CurrentPlayer, cmd::Resize{static_cast<i16>(width_), static_cast<i16>(height_)}});
    StartInitialView(g, width_ + 4, width_, height_, g.ViewSettings.Scale, width_, height_);
    back_ = BackBuffer(width_, height_);
    frameCache_.Invalidate();
    FinishInitialView(g, width_, height_);
    MarkViewForFirstFrame(g);
}

void Driver::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    Submit(cmd::Resize{static_cast<i16>(width), static_cast<i16>(height)});
    if (!onMap_) return;
    UpdateViewGeometry(*game_, width, height);
    back_ = BackBuffer(width, height);
    frameCache_.Invalidate();
    game_->ViewChanged = 1;
}

void Driver::Tick(int elapsedMs) {
    if (!onMap_) return;
    AdvanceTime(*game_, clock_, elapsedMs);
    back_.Clear(kBlack);
    Draw();
}

// A frame, and what it asks for: the minimap and the view controls' values.
void Driver::Draw() {
    if (!onMap_ || back_.width() == 0) return;
    Game& g = *game_;
    ClampView(g);
    const FrameRequests requests = RenderFrame(g, images_, back_, frameCache_);
    back_.TakeChanges();
    if (requests.rebuildMinimap) {
        g.MinimapDirty = 0;
        RebuildMinimap(g, palette_);
    }
    if (requests.syncViewControls) SyncViewControls(g, width_, height_);
}

// The file keeps the match; until it keeps the command log and only the match
// (format 3), a loaded game is checked by its bytes alone and its rounds from
// the load on.
std::string Driver::SaveAndLoad() {
    if (!matchStarted() || menu || !HasSavableMap(*game_)) return {};
    const QByteArray bytes = WriteGameFile(*game_);
    LoadedGame loaded = ReadGameFile(bytes, QStringLiteral("autogame.tarq"));
    if (!loaded) return "a saved game is refused: " + loaded.message.toStdString();
    if (WriteGameFile(*loaded.game) != bytes) return "a loaded game saves to other bytes";
    if (gamefile::kGameFileVersion >= 3 && StateHash(*loaded.game) != StateHash(*game_))
        return "a loaded game is not the game that was saved";
    const std::size_t logged = game_->Log.Entries().size();
    TakeLoadedGame(std::move(loaded.game));
    if (game_->Log.Entries().size() != logged) TakeRoundStart();
    ++events["check: saved and loaded"];
    return {};
}

void Driver::OpenGame(std::unique_ptr<Game> loaded, int width, int height) {
    menu.reset();
    width_ = width;
    height_ = height;
    back_ = BackBuffer(width, height);
    TakeLoadedGame(std::move(loaded));
    MarkViewForFirstFrame(*game_);
    TakeRoundStart();
}

// The window's part of a load: the application's state, the map (or the
// new-game page of a player yet to land) on the surface as it is.
void Driver::TakeLoadedGame(std::unique_ptr<Game> loaded) {
    loaded->AppActive = 1;
    game_ = std::move(loaded);
    onMap_ = !JoiningPlayer(*game_);
    Execute(*game_, {game_->CurrentPlayer, cmd::Resize{static_cast<i16>(width_), static_cast<i16>(height_)}});
    UpdateViewGeometry(*game_, width_, height_);
    frameCache_.Invalidate();
}

}  // namespace tarq::autogame
