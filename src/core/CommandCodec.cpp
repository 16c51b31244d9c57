#include "core/CommandCodec.h"

#include <array>
#include <utility>

namespace tarq {

namespace {

constexpr std::array<const char*, std::variant_size_v<Command>> kNames = {"SetPlayerCount",
                                                                          "SetStartGold",
                                                                          "UseSectors",
                                                                          "GenerateMap",
                                                                          "SetClan",
                                                                          "SetRestrictions",
                                                                          "SetColour",
                                                                          "ToggleSector",
                                                                          "BuyType",
                                                                          "CargoStep",
                                                                          "Join",
                                                                          "LandBase",
                                                                          "Step",
                                                                          "StartConstruction",
                                                                          "MoveSite",
                                                                          "ConfirmSite",
                                                                          "CancelSite",
                                                                          "TakeOutBuilder",
                                                                          "ChooseExit",
                                                                          "CancelExitChoice",
                                                                          "CancelConstruction",
                                                                          "DestroyStructure",
                                                                          "EndTurn",
                                                                          "Select",
                                                                          "OpenMenu",
                                                                          "ShowCell",
                                                                          "ArmMove",
                                                                          "Disarm",
                                                                          "NextUnit",
                                                                          "OpenSelectionMenu",
                                                                          "Zoom",
                                                                          "ScrollTo",
                                                                          "ToggleView",
                                                                          "Resize",
                                                                          "ScrollBy",
                                                                          "SetPath",
                                                                          "CancelPath",
                                                                          "Undo",
                                                                          "ArmPath",
                                                                          "PreviewPath",
                                                                          "Attack",
                                                                          "LayMine",
                                                                          "ClearMine",
                                                                          "ArmAttack",
                                                                          "UseFog",
                                                                          "LoadCargo",
                                                                          "UnloadCargo",
                                                                          "Repair",
                                                                          "Reload",
                                                                          "BuyReinforcement"};

template <typename T>
void Put(std::vector<std::uint8_t>& out, T value) {
    using U = std::make_unsigned_t<T>;
    const U bits = static_cast<U>(value);
    for (int shift = 8 * (static_cast<int>(sizeof(T)) - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;

    template <typename T>
    bool Get(T& value) {
        if (size - pos < sizeof(T)) return false;
        std::make_unsigned_t<T> bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bits = static_cast<std::make_unsigned_t<T>>((bits << 8) | data[pos + i]);
        value = static_cast<T>(bits);
        pos += sizeof(T);
        return true;
    }
};

template <typename T>
bool DecodeAs(Reader& reader, Command& out) {
    T command{};
    const bool read = std::apply([&reader](auto&... field) { return (reader.Get(field) && ...); }, command.Fields());
    if (read) out = command;
    return read;
}

template <std::size_t... I>
bool DecodeKind(std::size_t kind, Reader& reader, Command& out, std::index_sequence<I...>) {
    bool read = false;
    ((kind == I && (read = DecodeAs<std::variant_alternative_t<I, Command>>(reader, out), true)) || ...);
    return read;
}

}  // namespace

void EncodeOrder(const Order& order, std::vector<std::uint8_t>& out) {
    out.push_back(order.player);
    out.push_back(static_cast<std::uint8_t>(order.command.index()));
    std::visit([&out](
                   const auto& c) { std::apply([&out](const auto&... field) { (Put(out, field), ...); }, c.Fields()); },
               order.command);
}

bool DecodeOrder(const std::uint8_t* data, std::size_t size, std::size_t& pos, Order& out) {
    if (pos > size || size - pos < 2) return false;
    Reader reader{data, size, pos + 2};
    const std::size_t kind = data[pos + 1];
    Command command;
    if (kind >= std::variant_size_v<Command> ||
        !DecodeKind(kind, reader, command, std::make_index_sequence<std::variant_size_v<Command>>{}))
        return false;
    out = {data[pos], command};
    pos = reader.pos;
    return true;
}

const char* CommandName(const Command& command) { return kNames[command.index()]; }

std::string OrderText(const Order& order) {
    std::string text = std::to_string(order.player) + " " + CommandName(order.command);
    std::visit(
        [&text](const auto& c) {
            std::apply([&text](const auto&... field) { ((text += " " + std::to_string(field)), ...); }, c.Fields());
        },
        order.command);
    return text;
}

}  // namespace tarq
