// Load Game: the platform's file dialog with its one filter, shown for real (headless) while the
// title goes on animating and asking after its music.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/velmora.h"
#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "platform/file_dialog.h"
#include "support/fakes.h"
#include "support/open_dialog.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

namespace {

using testing_support::openFileDialog;

QStringList listedFiles(QFileDialog& dialog, const QString& folder) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr) {
        return {};
    }
    // The model reads folders on a thread of its own and says when one is done.
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog.setDirectory(folder);
    auto done = [&] {
        for (const QList<QVariant>& signal : loaded) {
            if (QDir(signal.at(0).toString()) == QDir(folder)) {
                return true;
            }
        }
        return false;
    };
    for (int attempt = 0; attempt < 50 && !done(); ++attempt) {
        loaded.wait(100);
    }
    QStringList names;
    const QModelIndex parent = model->index(folder);
    for (int row = 0; row < model->rowCount(parent); ++row) {
        names << model->fileName(model->index(row, 0, parent));
    }
    names.sort();
    return names;
}

}  // namespace

TEST(LoadGameDialog, FiltersReadAsTheirDescriptionWithThePatternsOnlyWhenMissing) {
    EXPECT_EQ(platform::toQtFilter(QStringLiteral("Saved Games (*.sav)|*.sav")),
              QStringLiteral("Saved Games (*.sav)"));
    EXPECT_EQ(platform::toQtFilter(QStringLiteral("Pictures|*.bmp;*.gif")),
              QStringLiteral("Pictures (*.bmp *.gif)"));
    EXPECT_EQ(platform::toQtFilter(QStringLiteral("Saved Games (*.sav)|*.sav|All|*.*")),
              QStringLiteral("Saved Games (*.sav);;All (*.*)"));
    // A description whose parentheses name other patterns keeps them in its text, and the
    // real patterns follow.
    EXPECT_EQ(platform::toQtFilter(QStringLiteral("Text (*.txt)|*.txt;*.log")),
              QStringLiteral("Text (*.txt) (*.txt *.log)"));
}

TEST(LoadGameDialog, ShowsOnlySavedGamesWhileTheTitleAnimatesAndChangesNothing) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("my game"));
    testing_support::writeGameAssets(folder);
    const QString saves = dir.filePath(QStringLiteral("saves"));
    QDir().mkpath(saves);
    for (const char* name : {"one.sav", "two.sav", "notes.txt", "old.sav.bak", "sav"}) {
        QFile file(saves + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    platform::VirtualClock clock;
    testing_support::FakeMusic music;
    music.statusReply = "playing";
    platform::QtFileDialog fileDialog;
    testing_support::RecordingReporter reporter;
    auto game = std::make_unique<velmora::Velmora>(
        velmora::Services{[] { return platform::Display::ofPixels(1024, 768); }, clock,
                          platform::AssetPaths(folder), music, fileDialog, reporter});
    game->game.start();
    QTest::keyClick(game->map.window(), Qt::Key_Escape);
    QTest::mouseClick(game->menu.ui().cmdQuit.widget(), Qt::LeftButton);
    ASSERT_TRUE(game->intro.isVisible());
    clock.advance(100);
    music.commands.clear();

    bool seen = false;
    QString title;
    QStringList filters;
    QStringList shown;
    QStringList listed;
    float leftWhileOpen = 0;
    std::size_t asked = 0;
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = openFileDialog();
        if (dialog == nullptr) {
            return;
        }
        seen = true;
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        if (auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < combo->count(); ++i) {
                shown << combo->itemText(i);
            }
        }
        listed = listedFiles(*dialog, saves);
        // Half a second passes with the dialog open.
        clock.advance(500);
        leftWhileOpen = game->intro.ui().picBack.left();
        asked = music.commands.size();
        dialog->reject();
    });
    // Whatever happens, the dialog does not stay open.
    QTimer::singleShot(20000, [] {
        if (QFileDialog* dialog = openFileDialog()) {
            dialog->reject();
        }
    });
    QTest::mouseClick(game->intro.ui().cmdLoad.widget(), Qt::LeftButton);

    ASSERT_TRUE(seen);
    EXPECT_EQ(title, QStringLiteral("Open Saved Game File"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("Saved Games (*.sav)")});
    EXPECT_EQ(shown, QStringList{QStringLiteral("Saved Games (*.sav)")});
    EXPECT_EQ(listed, (QStringList{QStringLiteral("one.sav"), QStringLiteral("two.sav")}));
    EXPECT_EQ(leftWhileOpen, -600.f) << "five more animation ticks while the dialog was open";
    EXPECT_EQ(asked, 5u) << "and five music checks";
    EXPECT_TRUE(game->intro.isVisible());
    EXPECT_FALSE(game->game.flow().ended());
    EXPECT_TRUE(reporter.messages.empty());
    clock.advance(100);
    EXPECT_EQ(game->intro.ui().picBack.left(), -700.f) << "the title carries on";
    game.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
