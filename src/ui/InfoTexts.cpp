#include "ui/InfoTexts.h"

namespace tarq::texts {

QString WindowTitle() { return QStringLiteral("TARQ — пошаговая стратегия"); }

QStringList Memo4Lines() {
    return {QStringLiteral("На данный момент выполнено:"),
            QStringLiteral("- окно игры со всеми страницами и настройками;"),
            QStringLiteral("- каталог из 67 типов юнитов и строений с описаниями;"),
            QStringLiteral("- генератор случайных карт (острова или ленты), сектора высадки;"),
            QStringLiteral("- клан, стартовое золото, ограничения и покупка начальных сил;"),
            QStringLiteral("- карта с плавным масштабом, ползунками, миникартой и перетаскиванием;"),
            QStringLiteral("- высадка базы, выбор юнитов и ходьба по клеточке;"),
            QStringLiteral("- меню команд, стройка за несколько ходов, конец хода;"),
            QStringLiteral("- свои картинки всех юнитов, строений и местности;"),
            QStringLiteral("- сохранение и загрузка игры, автосохранение;"),
            QStringLiteral("- до восьми игроков по очереди, на одной машине или передавая файл;"),
            QStringLiteral("- управление с клавиатуры (F1), наложения на карте: хиты, обзоры, статус и другие."),
            QString(),
            QStringLiteral("На очереди:"),
            QStringLiteral("- бой, снабжение и добыча ресурсов.")};
}

QStringList Memo2Hints() {
    return {QStringLiteral("Двигай экран нажав правую клавишу мыши."), QStringLiteral("Масштаб изменяй колесом мыши.")};
}

QStringList Memo6DesignLines() { return {QStringLiteral("Всякие примечания")}; }

QStringList Memo6Notes() {
    return {QStringLiteral("Двигай экран нажав правую клавишу мыши."),
            QStringLiteral("Масштаб изменяй колесом мыши."),
            QStringLiteral("Можешь в любой момент включить виндовозные ползунки для скроллинга."),
            QStringLiteral("Также можешь пользоваться миникартой"),
            QString(),
            QStringLiteral("Карта рисуется каждую миллисекунду, сколько успеет машина. Самый тяжелый случай - "
                           "самый мелкий масштаб, когда на экране сотни клеток по семь слоев в каждой."),
            QString(),
            QStringLiteral("Если игра тормозит, увеличь масштаб колесом мыши или включи ожидание вертикальной "
                           "развертки в настройках: тогда кадров будет не больше, чем умеет показать монитор."),
            QString(),
            QStringLiteral("При первом запуске карты игра готовит графику и складывает ее в директорию "
                           "graph/tempgraph. Если ее удалить, все приготовится заново.")};
}

QStringList Memo3Lines() {
    return {QStringLiteral("Игра начинается так:"),
            QStringLiteral("1. Первый игрок создает карту, отмечает свои сектора высадки и покупает войска."),
            QStringLiteral("2. Он сохраняет игру в файл и передает его следующему игроку."),
            QStringLiteral("3. Следующий выбирает свободные сектора (занятые закрыты), покупает войска, "
                           "делает ход и передает файл дальше."),
            QStringLiteral("4. Так файл ходит по кругу, пока не останется один победитель.")};
}

QStringList Memo1Lines() {
    return {QStringLiteral("Добро пожаловать в TARQ!"), QString(),
            QStringLiteral("Здесь ты высаживаешься на чужую планету, строишь базу, добываешь металл, нефть и "
                           "золото и собираешь армию."),
            QStringLiteral("Начни новую игру: создай карту, выбери клан и купи стартовые силы.")};
}

QString VersionLabel() { return QStringLiteral("Версия 0.1"); }
QString AuthorLabel() { return QStringLiteral("Команда TARQ"); }
QString TopNotice1() { return QStringLiteral("TARQ: пошаговая стратегия на клеточной карте"); }
QString TopNotice3() { return QStringLiteral("Ранняя версия: многое еще в работе"); }
QString JokeLabel() { return QStringLiteral("Клан на победу не влияет. Пока."); }
QString TechPagePlaceholder1() { return QStringLiteral("Здесь будут технические характеристики выбранного объекта."); }
QString TechPagePlaceholder2() { return QStringLiteral("Раздел в разработке."); }

}  // namespace tarq::texts
