// Fixed texts of the welcome page and the side panel.
#pragma once

#include <QString>
#include <QStringList>

namespace tarq::texts {

QString WindowTitle();
QStringList Memo4Lines();        // what works so far and what comes next
QStringList Memo2Hints();        // the two control hints of the side panel
QStringList Memo6DesignLines();  // design lines kept before the notes
QStringList Memo6Notes();        // hints and notes on graphics speed
QStringList Memo3Lines();        // how a game file passes from player to player
QStringList Memo1Lines();        // the welcome text
QString VersionLabel();
QString AuthorLabel();
QString TopNotice1();
QString TopNotice3();
QString JokeLabel();
QString TechPagePlaceholder1();
QString TechPagePlaceholder2();

}  // namespace tarq::texts
