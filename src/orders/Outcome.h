// What carrying out an order did, as one value: accepted or refused (with the
// reason for the player), and what the window must now show. The window
// applies an outcome and nothing else; tests, the autogame and replays read
// the same value.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "control/InfoPanel.h"
#include "core/GameState.h"
#include "view/Viewport.h"

namespace tarq {

// What a message tells, which picks its icon: a note or a prompt; a warning
// (a refusal, or something missing the game goes on without; nothing was
// lost); a failure (what the player asked for broke off, or their work may
// not be kept).
enum class MessageWeight : u8 { Note, Warning, Failure };

struct PlayerMessage {
    std::string text;
    MessageWeight weight = MessageWeight::Note;
    bool operator==(const PlayerMessage&) const = default;
};

// Something that happened on the map, for what follows an order on the
// screen and in the speakers: a redraw there, an explosion, a sound.
enum class EventKind : u8 {
    Moved,                 // object stepped to (col, row)
    Created,               // object created at (col, row), of type `type`
    Released,              // object released (destroyed, cancelled, replaced)
    BaseLanded,            // the player's force landed around (col, row)
    ConstructionStarted,   // builder `object` started type `type`
    ConstructionFinished,  // the site `object` became a finished `type`
    TurnEnded,             // the turn passed to player `value`
    Shot,                  // `object` fired at the object of type `type` on (col, row); `value` ShotKind
    Hit,                   // the shot took `value` hits of `object` (type `type`) on (col, row)
    Exploded,              // `object` (type `type`) was destroyed on (col, row)
    MineLaid,              // mine `object` laid on (col, row)
    MineCleared,           // mine `object` taken away from (col, row)
};

struct GameEvent {
    EventKind kind = EventKind::Moved;
    i16 object = 0;
    i16 col = 0;
    i16 row = 0;
    i16 type = 0;
    i32 value = 0;
    // A shot's attacker: where the tracer starts.
    i16 fromCol = 0;
    i16 fromRow = 0;
    i16 attackerType = 0;  // a shot's attacker type, for the sound of its weapon
    bool operator==(const GameEvent&) const = default;
};

struct Outcome {
    bool accepted = false;
    // Why an order was refused, for the notice strip; empty when the game
    // ignores the order without a word (a click on nothing, say).
    std::string reason;

    bool matchChanged = false;                  // the match changed: redraw the map
    bool viewChanged = false;                   // zoom or scroll changed: redraw, sync the bars
    bool selectionChanged = false;              // SelectedObject is another object now
    bool updateCursor = false;                  // MoveArmed may have changed: the map pointer follows
    bool endTurnEnabled = true;                 // END TURN may be pressed now (no site or exit waits)
    std::optional<std::vector<InfoLine>> memo;  // new content of the side panel
    bool openMenu = false;                      // the command menu of the selection...
    int menuX = 0;                              // ...at this point of the surface
    int menuY = 0;
    std::optional<ScaleLabels> zoomTo;    // the zoom bar moved here (its labels)
    std::vector<PlayerMessage> messages;  // message boxes, in order
    std::optional<std::string> notice;    // the notice strip's new text (empty clears it)
    std::vector<GameEvent> events;
    // Non-empty when the order cannot be taken back (Undo): why, for the
    // refusal of a later undo ("стройка завершена").
    std::string barrier;
};

}  // namespace tarq
