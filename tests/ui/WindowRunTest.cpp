// Extraction from the Qt window, beyond the behaviours that both windows
// share (tests/window): the stop taken right after a track file is created,
// and Esc for the stop button.
#include "Application.h"
#include "DirectoryListBox.h"
#include "DiscBuilder.h"
#include "Extraction.h"
#include "TempDir.h"
#include "WavExpectation.h"
#include "WindowTestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using vorsa::testing::GeneratedDisc;
using vorsa::testing::TempDir;

namespace
{

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

class WindowRunTest : public vorsa::testing::WindowTestBase
{
    Q_OBJECT

private:
    std::string Out(const char *name) const { return dir_->Path() + "/out/" + name; }

    // A three-track disc dropped on the window, every track ticked, prefix
    // "cd", destination the folder "out" opened in the folder list.
    GeneratedDisc PrepareRun()
    {
        const GeneratedDisc disc =
            vorsa::testing::WriteCueDisc(*dir_, "album", {150, 300, 75}, 1000);
        if (!vorsa::testing::DropUrls(*form_, {vorsa::testing::LocalUrl(disc.descriptionPath)}))
            qWarning("drop refused");
        QTest::mouseClick(&Control<QToolButton>("ToolButton3"), Qt::LeftButton);
        QTest::keyClicks(&Control<QLineEdit>("Edit1"), QStringLiteral("cd"));
        QDir(Q(dir_->Path())).mkdir(QStringLiteral("out"));
        Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1").OpenDirectory(Q(dir_->Path()));
        vorsa::testing::OpenFolderEntry(*form_, Q(dir_->Path()) + QStringLiteral("/out"));
        return disc;
    }

private slots:
    void init() { QVERIFY(StartWindow()); }

    void cleanup() { StopWindow(); }

    void stopButtonDuringRun_data()
    {
        QTest::addColumn<int>("clickAtCall"); // the run's ProcessEvents call that takes the click
        QTest::addColumn<bool>("escape");     // Esc pressed instead of a click
        QTest::addColumn<qint64>("firstFileBytes");
        // Right after track 1's file is created: it stays, empty.
        QTest::newRow("new track file") << 1 << false << qint64{0};
        // Before its first sector: track 1 is copied to its end.
        QTest::newRow("Esc") << 2 << true << qint64{44 + 150 * vorsa::testing::kSectorBytes};
    }

    void stopButtonDuringRun()
    {
        QFETCH(int, clickAtCall);
        QFETCH(bool, escape);
        QFETCH(qint64, firstFileBytes);
        PrepareRun();
        bool enabledDuringRun = false;
        bool enabledAfterStop = true;
        form_->probe = [&](int call) {
            if (call != clickAtCall)
                return;
            enabledDuringRun = Control<QPushButton>("Button1").isEnabled();
            if (escape)
                QTest::keyClick(&Control<QTreeWidget>("ListView1"), Qt::Key_Escape);
            else
                QTest::mouseClick(&Control<QPushButton>("Button1"), Qt::LeftButton);
            // The stop is seen at once, though the track goes on to its end.
            enabledAfterStop = Control<QPushButton>("Button1").isEnabled();
        };
        QTest::mouseClick(&Control<QToolButton>("ToolButton2"), Qt::LeftButton);

        QVERIFY(enabledDuringRun);
        QVERIFY(!enabledAfterStop);
        QVERIFY(vorsa::AbortRequested);
        QCOMPARE(QFileInfo(Q(Out("cd01.wav"))).size(), firstFileBytes);
        QVERIFY(!vorsa::testing::FileExists(Out("cd02.wav")));
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("終わりました")});
        QVERIFY(!Control<QPushButton>("Button1").isEnabled());
    }
};

int main(int argc, char *argv[])
{
    vorsa::ui::Application application(argc, argv);
    WindowRunTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowRunTest.moc"
