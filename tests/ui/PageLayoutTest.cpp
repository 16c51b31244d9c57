// The pages at the window's default size: every control can be seen, in its
// page or by scrolling it, before the launch and beside the map's side panel
// after it; the map's scroll bars show with the map page only.
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QScrollBar>

#include "MapWindowFixture.h"
#include "ui/UiHelpers.h"

namespace tarq::testing {
namespace {

class PageLayoutTest : public MapWindowTest {
protected:
    void SetUp() override { OpenOnSyntheticGraph(); }

    // The shown controls of the page on show, on every inner page of it, that
    // lie outside the page and in no scroll area inside it.
    QStringList CutOnEveryPage() {
        QStringList cut;
        QTabWidget* pages = form->PageControl1;
        for (int i = 0; i < pages->count(); ++i) {
            if (!pages->isTabVisible(i)) continue;
            pages->setCurrentIndex(i);
            QWidget* page = pages->widget(i);
            QList<QTabWidget*> inner = page->findChildren<QTabWidget*>();
            inner.prepend(nullptr);  // the page as it comes
            for (QTabWidget* tabs : inner)
                for (int j = 0; j < (tabs ? tabs->count() : 1); ++j) {
                    if (tabs) tabs->setCurrentIndex(j);
                    QCoreApplication::processEvents();
                    for (QWidget* w : page->findChildren<QWidget*>()) {
                        const QWidget* shown = w;  // or the outermost scroll area holding it
                        for (QWidget* p = w->parentWidget(); p != page; p = p->parentWidget())
                            if (qobject_cast<QAbstractScrollArea*>(p)) shown = p;
                        if (w->isVisible() &&
                            !page->rect().contains(QRect(shown->mapTo(page, QPoint()), shown->size())))
                            cut << page->objectName() + "/" + w->objectName() + ":" + w->metaObject()->className();
                    }
                }
        }
        cut.removeDuplicates();
        return cut;
    }
    bool ScrollBarsShown() {
        return form->mapPage()->ScrollBar1->isVisible() && form->mapPage()->ScrollBar2->isVisible();
    }
};

TEST_F(PageLayoutTest, EveryPageFitsTheDefaultWindowOrScrolls) {
    ASSERT_EQ(form->size(), QSize(776, 600));
    EXPECT_EQ(CutOnEveryPage().join(" "), "") << "before the launch";
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(form->PageControl1->currentIndex(), kPageMap);
    form->N41Click();  // the technical page, opened from the command menu
    EXPECT_EQ(CutOnEveryPage().join(" "), "") << "beside the side panel";
}

TEST_F(PageLayoutTest, TheMapsScrollBarsShowOnlyWithTheMapPage) {
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(game().Settings.ScrollBars, 1);
    EXPECT_TRUE(ScrollBarsShown());
    form->PageControl1->setCurrentIndex(kPageSettings);
    EXPECT_FALSE(ScrollBarsShown());
    form->settingsPage()->CheckBox10->click();  // off and on again on the settings page
    form->settingsPage()->CheckBox10->click();
    EXPECT_FALSE(ScrollBarsShown());
    form->PageControl1->setCurrentIndex(kPageMap);
    EXPECT_TRUE(ScrollBarsShown());
    form->N41Click();
    EXPECT_FALSE(ScrollBarsShown());
    form->technicalPage()->Button15->click();
    EXPECT_TRUE(ScrollBarsShown());
}

}  // namespace
}  // namespace tarq::testing
