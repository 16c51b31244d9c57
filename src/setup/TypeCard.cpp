#include "setup/TypeCard.h"

namespace tarq {

std::string TypeCardPicture(int type) {
    return std::string("graph\\units\\U") + (type <= 9 ? "0" : "") + std::to_string(type) + ".bmp";
}

namespace {

// Characteristics shown when not 0, in this order.
void AppendStatRows(const TUnitStats& s, std::vector<CardRow>& rows) {
    const std::pair<const char*, int> stats[] = {
        {"Атака", s.Attack}, {"Выстрелов/ход", s.Shots}, {"Дальнобойность", s.Range}, {"Боезапас", s.Ammo},
        {"Броня", s.Armour}, {"Хиты", s.Hits},           {"Обзор", s.Scan},           {"Скорость", s.Speed},
    };
    for (const auto& [label, value] : stats)
        if (value != 0) rows.push_back({label, std::to_string(value), "", "", ""});
}

}  // namespace

TypeCard MakeTypeCard(const Game& game, int type, CardSource source, int entry) {
    TypeCard card;
    if (type < 1 || type > kTypeCount) return card;
    card.picture = TypeCardPicture(type);
    card.name = game.UnitTypes[type].Name;
    card.description = game.UnitTypes[type].Description;
    const TUnitStats& s = game.UnitStats[type];
    AppendStatRows(s, card.rows);
    const bool fromEntry = source == CardSource::List && entry >= 0 && entry < kPurchaseEntries;
    if (s.Cost > 0) {
        const int price = fromEntry ? game.PurchaseList(entry).Price : s.Cost;
        if (source == CardSource::Tree || fromEntry)
            card.rows.push_back({"Стоимость", std::to_string(price), "", "", ""});
    }
    if (s.CargoKind != 0 && fromEntry) {
        const std::string value =
            std::to_string(game.PurchaseList(entry).Cargo) + "/" + std::to_string(s.CargoCapacity);
        card.rows.push_back({"Груз", value, "1 (за 5)", "-", "+"});
    }
    return card;
}

}  // namespace tarq
