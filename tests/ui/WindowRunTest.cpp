// Extraction from the window: a whole load and run of a generated disc with
// the WAV files read back, the stop button, and what the window refuses or
// puts off while a run is under way.
#include "Application.h"
#include "DirectoryListBox.h"
#include "DiscBuilder.h"
#include "Extraction.h"
#include "TempDir.h"
#include "WavExpectation.h"
#include "WindowTestSupport.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <cstdint>
#include <memory>

using vorsa::testing::DialogRecorder;
using vorsa::testing::GeneratedDisc;
using vorsa::testing::ProbedForm;
using vorsa::testing::TempDir;

namespace
{

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

// A track file judged against the shared expectation: the header, then
// `disc`'s sectors from `firstSector` on.
void CheckTrackFile(const std::string &path, const GeneratedDisc &disc, std::int64_t firstSector,
                    std::int64_t sectors)
{
    QVERIFY2(vorsa::testing::FileExists(path), path.c_str());
    const std::string mismatch =
        vorsa::testing::WavMismatch(vorsa::testing::ReadWholeFile(path),
                                    vorsa::testing::ExpectedTrackFile(disc, firstSector, sectors));
    QVERIFY2(mismatch.empty(), (path + ": " + mismatch).c_str());
}

} // namespace

class WindowRunTest : public vorsa::testing::WindowTestBase
{
    Q_OBJECT

private:
    std::string Out(const char *name) const { return dir_->Path() + "/out/" + name; }

    // A three-track disc dropped on the window, every track ticked, prefix
    // "cd", destination the folder "out" opened in the folder list.
    GeneratedDisc PrepareRun(bool ccd = false)
    {
        const std::vector<std::int32_t> lengths{150, 300, 75}; // sectors
        const GeneratedDisc disc =
            ccd ? vorsa::testing::WriteCcdDisc(*dir_, "album", lengths, 1000)
                : vorsa::testing::WriteCueDisc(*dir_, "album", lengths, 1000);
        if (!vorsa::testing::DropUrls(*form_, {vorsa::testing::LocalUrl(disc.descriptionPath)}))
            qWarning("drop refused");
        QTest::mouseClick(form_->ToolButton3, Qt::LeftButton);
        QTest::keyClicks(form_->Edit1, QStringLiteral("cd"));
        QDir(Q(dir_->Path())).mkdir(QStringLiteral("out"));
        form_->DirectoryListBox1->OpenDirectory(Q(dir_->Path()));
        vorsa::testing::OpenFolderEntry(*form_, Q(dir_->Path()) + QStringLiteral("/out"));
        return disc;
    }

private slots:
    void init() { QVERIFY(StartWindow()); }

    void cleanup() { StopWindow(); }

    void loadAndExtractWholeDisc_data()
    {
        QTest::addColumn<bool>("ccd");
        QTest::newRow("cue sheet") << false;
        QTest::newRow("ccd file") << true;
    }

    void loadAndExtractWholeDisc()
    {
        QFETCH(bool, ccd);
        const GeneratedDisc disc = PrepareRun(ccd);
        QCOMPARE(form_->Label2->text(), Q(disc.imagePath));
        QCOMPARE(form_->Label6->text(), Q(dir_->Path()) + QStringLiteral("/out/"));
        form_->ListView1->topLevelItem(1)->setCheckState(0, Qt::Unchecked);

        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);

        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("終わりました")});
        QCOMPARE(dialogs_->messages.front().caption, QStringLiteral("test_window_run"));
        CheckTrackFile(Out("cd01.wav"), disc, 0, 150);
        QVERIFY(!vorsa::testing::FileExists(Out("cd02.wav")));
        // The last track ends at the image's end; the part sector is left out.
        CheckTrackFile(Out("cd03.wav"), disc, 450, 75);
        QCOMPARE(form_->Label7->text(), QStringLiteral("3曲目"));
        QCOMPARE(form_->ProgressBar1->value(), 100);
        QVERIFY(!form_->Button1->isEnabled());
        QVERIFY(form_->ToolButton1->isEnabled());
        QVERIFY(form_->ToolButton2->isEnabled());
        QVERIFY(!form_->ExtractionRunning());
    }

    void stopButtonDuringRun_data()
    {
        QTest::addColumn<int>("clickAtCall"); // the run's ProcessEvents call that takes the click
        QTest::addColumn<bool>("escape");     // Esc pressed instead of a click
        QTest::addColumn<qint64>("firstFileBytes");
        // Right after track 1's file is created: it stays, empty.
        QTest::newRow("new track file") << 1 << false << qint64{0};
        // Before its first sector: track 1 is copied to its end.
        QTest::newRow("track being copied")
            << 2 << false << qint64{44 + 150 * vorsa::testing::kSectorBytes};
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
            enabledDuringRun = form_->Button1->isEnabled();
            if (escape)
                QTest::keyClick(form_->ListView1, Qt::Key_Escape);
            else
                QTest::mouseClick(form_->Button1, Qt::LeftButton);
            // The stop is seen at once, though the track goes on to its end.
            enabledAfterStop = form_->Button1->isEnabled();
        };
        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);

        QVERIFY(enabledDuringRun);
        QVERIFY(!enabledAfterStop);
        QVERIFY(vorsa::AbortRequested);
        QCOMPARE(QFileInfo(Q(Out("cd01.wav"))).size(), firstFileBytes);
        QVERIFY(!vorsa::testing::FileExists(Out("cd02.wav")));
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("終わりました")});
        QVERIFY(!form_->Button1->isEnabled());
    }

    // Loads and a second run would change the table under the running one.
    // Ticks, prefix and folder stay usable and reach the tracks still to come.
    void runRefusesLoadsButKeepsTicksAndPrefix()
    {
        const GeneratedDisc disc = PrepareRun();
        const auto other = vorsa::testing::WriteCcdDisc(*dir_, "other", {75});
        dialogs_->openAnswers.append(Q(other.descriptionPath));
        bool checked = false;
        form_->probe = [&](int call) {
            if (call != 1)
                return;
            checked = true;
            QVERIFY(form_->ExtractionRunning());
            QVERIFY(!form_->ToolButton1->isEnabled());
            QVERIFY(!form_->ToolButton2->isEnabled());
            QVERIFY(form_->ToolButton3->isEnabled());
            QVERIFY(form_->ToolButton4->isEnabled());
            form_->ToolButton1Click();
            QVERIFY(dialogs_->openFilters.isEmpty());
            QVERIFY(!vorsa::testing::DragEnterAccepted(
                *form_, {vorsa::testing::LocalUrl(other.descriptionPath)}));
            QVERIFY(!vorsa::testing::DropUrls(*form_,
                                              {vorsa::testing::LocalUrl(other.descriptionPath)}));
            form_->ToolButton2Click(); // no second run inside this one
            QCOMPARE(form_->Label1->text(), Q(disc.descriptionPath));
            QCOMPARE(form_->ListView1->topLevelItemCount(), 3);

            QTest::mouseClick(form_->ToolButton4, Qt::LeftButton);
            form_->ListView1->topLevelItem(1)->setCheckState(0, Qt::Checked);
            form_->Edit1->setText(QStringLiteral("x"));
        };
        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);

        QVERIFY(checked);
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("終わりました")});
        CheckTrackFile(Out("cd01.wav"), disc, 0, 150);
        CheckTrackFile(Out("x02.wav"), disc, 150, 300);
        QVERIFY(!vorsa::testing::FileExists(Out("x03.wav")));
        QVERIFY(!vorsa::testing::FileExists(Out("cd03.wav")));
        QVERIFY(form_->ToolButton1->isEnabled());
        QVERIFY(form_->ToolButton2->isEnabled());
        QVERIFY(vorsa::testing::DragEnterAccepted(
            *form_, {vorsa::testing::LocalUrl(other.descriptionPath)}));
    }

    // A drop whose load is still waiting when a run starts is refused when
    // it comes up inside the run: the run owns the table.
    void dropQueuedBeforeRunIsRefused()
    {
        const GeneratedDisc disc = PrepareRun();
        const auto other = vorsa::testing::WriteCcdDisc(*dir_, "other", {75});
        QVERIFY(
            vorsa::testing::DeliverDrop(*form_, {vorsa::testing::LocalUrl(other.descriptionPath)}));
        form_->ToolButton2Click();

        QVERIFY(form_->processEventsCalls > 0);
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("終わりました")});
        QCOMPARE(form_->Label1->text(), Q(disc.descriptionPath));
        QCOMPARE(form_->Label2->text(), Q(disc.imagePath));
        QCOMPARE(form_->ListView1->topLevelItemCount(), 3);
        CheckTrackFile(Out("cd01.wav"), disc, 0, 150);
        CheckTrackFile(Out("cd02.wav"), disc, 150, 300);
        CheckTrackFile(Out("cd03.wav"), disc, 450, 75);
        // Nothing is left to load afterwards either.
        QCoreApplication::processEvents();
        QCOMPARE(form_->Label1->text(), Q(disc.descriptionPath));
    }

    // Closing the window mid-run stops the run at its next stop point and
    // closes the window once the run has returned.
    void closeDuringRunIsPutOff()
    {
        PrepareRun();
        bool closedAtOnce = true;
        form_->probe = [&](int call) {
            if (call != 1)
                return;
            closedAtOnce = form_->close();
            QVERIFY(!form_->Button1->isEnabled()); // stopped as the button stops
        };
        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);

        QVERIFY(!closedAtOnce);
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("終わりました")});
        QCOMPARE(QFileInfo(Q(Out("cd01.wav"))).size(), qint64{0});
        QVERIFY(!vorsa::testing::FileExists(Out("cd02.wav")));
        QVERIFY(form_->isVisible());
        QCoreApplication::sendPostedEvents();
        QVERIFY(!form_->isVisible());
    }

    // A run that an error ends gives the window back in its idle state.
    void errorDuringRunRestoresWindow()
    {
        PrepareRun();
        form_->Edit1->setText(QStringLiteral("missing/cd"));
        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);

        QCOMPARE(dialogs_->messages.size(), std::size_t{1});
        QVERIFY(dialogs_->messages.front().error);
        QCOMPARE(dialogs_->messages.front().text,
                 QStringLiteral("ファイル %1 を作成できません.").arg(Q(Out("missing/cd01.wav"))));
        QVERIFY(!form_->ExtractionRunning());
        QVERIFY(!form_->Button1->isEnabled());
        QVERIFY(form_->ToolButton1->isEnabled());
        QVERIFY(form_->ToolButton2->isEnabled());
    }
};

int main(int argc, char *argv[])
{
    vorsa::ui::Application application(argc, argv);
    WindowRunTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowRunTest.moc"
