#include "Unit1.h"

#include "Accessibility.h"
#include "BoxText.h"
#include "Dialogs.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "ErrorDisplay.h"
#include "FormControls.h"
#include "FormLayout.h"
#include "LinkLabel.h"
#include "SongList.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <utility>

// Outside any namespace, as Qt's resource macro requires. The resources sit
// in a static library, so nothing would pull them in without this call.
static void InitVorsaResources()
{
    Q_INIT_RESOURCE(vorsa);
}

namespace
{

using vorsa::TextControl;
using vorsa::ui::Control;
using vorsa::ui::FromDesign;
using vorsa::ui::MakeAction;
using vorsa::ui::MakeLabel;
using vorsa::ui::MakeStateLabel;
using vorsa::ui::MakeToolButton;
using vorsa::ui::NameOf;
using vorsa::ui::RunShowingErrors;

// A tool tip that shows `text` as it is: Qt would take a text that looks
// like markup (a folder named "<b>") for rich text.
QString PlainToolTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

} // namespace

TForm1::TForm1(QWidget *parent) : QWidget(parent), startFolder_(QDir::currentPath())
{
    InitVorsaResources();
    // Before any control: Qt keeps the first interface it makes for each.
    vorsa::ui::InstallAccessibleInterfaces();
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Vorsa"));
    setWindowIcon(QIcon(QStringLiteral(":/vorsa/vorsa.png")));
    // The button face, of the palette in use as it changes.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    const vorsa::ui::ScreenPlacement placement = vorsa::ui::PlaceOnScreen(*this);
    layoutDpi_ = placement.dpi;
    // The font first: the controls that a style sheet draws take the
    // window's font when they are made, and no later change of it.
    setFont(vorsa::ui::FormFont(layoutDpi_));
    createActions();
    CreateControls();
    vorsa::ui::LayOutForm(*this, layoutDpi_);
    move(placement.frameTopLeft);
    vorsa::ui::NameControls(*this);
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::createActions()
{
    // ImageList1: open, extract, tick all, untick all; 32 x 32.
    openAction_ = MakeAction(this, Control::ToolButton1, QIcon(QStringLiteral(":/vorsa/open.png")));
    extractAction_ =
        MakeAction(this, Control::ToolButton2, QIcon(QStringLiteral(":/vorsa/extract.png")));
    tickAllAction_ =
        MakeAction(this, Control::ToolButton3, QIcon(QStringLiteral(":/vorsa/tickall.png")));
    untickAllAction_ =
        MakeAction(this, Control::ToolButton4, QIcon(QStringLiteral(":/vorsa/untickall.png")));
    stopAction_ = MakeAction(this, Control::Button1);
    stopAction_->setEnabled(false);
}

void TForm1::CreateControls()
{
    Label1 = MakeStateLabel(this, Control::Label1);
    Label2 = MakeStateLabel(this, Control::Label2);

    ListView1 = new vorsa::ui::SongList(FromDesign(vorsa::ui::kSongListHeading), this);
    ListView1->setObjectName(NameOf(Control::ListView1));

    MakeLabel(this, Control::Label3);
    MakeLabel(this, Control::Label4);
    MakeLabel(this, Control::Label5);

    Edit1 = new vorsa::ui::PrefixBox(this);
    Edit1->setObjectName(NameOf(Control::Edit1));
    // A file dropped over the prefix box is a file for the window, not text
    // for the box: Qt hands a drop to the deepest widget that takes drops.
    Edit1->setAcceptDrops(false);

    Label6 = MakeStateLabel(this, Control::Label6);

    DirectoryListBox1 = new vorsa::ui::DirectoryListBox(this);
    DirectoryListBox1->setObjectName(NameOf(Control::DirectoryListBox1));
    // The process's folder is shown, but no change is signalled: the
    // destination stays unset until the user opens a folder.
    DirectoryListBox1->ShowDirectory(startFolder_);

    DriveComboBox1 = new vorsa::ui::DriveComboBox(this);
    DriveComboBox1->setObjectName(NameOf(Control::DriveComboBox1));
    DriveComboBox1->ShowDriveOf(DirectoryListBox1->Directory());

    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(NameOf(Control::ToolBar1));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    // Placed by the design, not by the bar's own layout.
    MakeToolButton(toolBar, Control::ToolButton1, openAction_);
    MakeToolButton(toolBar, Control::ToolButton2, extractAction_);
    MakeToolButton(toolBar, Control::ToolButton3, tickAllAction_);
    MakeToolButton(toolBar, Control::ToolButton4, untickAllAction_);

    auto *group = new QGroupBox(FromDesign(vorsa::ui::DesignOf(Control::GroupBox1).text), this);
    group->setObjectName(NameOf(Control::GroupBox1));
    // The caption sits on the frame's top line, as the design places the
    // status label and the stop button 16 pixels below the box's top.
    group->setStyleSheet(QStringLiteral(
        "QGroupBox#GroupBox1 { border: 1px solid palette(mid); border-radius: 2px;"
        " margin-top: 6px; }"
        "QGroupBox#GroupBox1::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; }"));
    Label7 = MakeStateLabel(group, Control::Label7);
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ProgressBar1 = new QProgressBar(group);
    ProgressBar1->setObjectName(NameOf(Control::ProgressBar1));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Button1 = new QPushButton(stopAction_->text(), group);
    Button1->setObjectName(NameOf(Control::Button1));
    Button1->setEnabled(stopAction_->isEnabled());

    MakeLabel(this, Control::Label8);
    MakeLabel(this, Control::Label9);
    MakeLabel(this, Control::Label10);

    auto *link =
        new vorsa::ui::LinkLabel(FromDesign(vorsa::ui::DesignOf(Control::Label11).text), this);
    link->setObjectName(NameOf(Control::Label11));

    // The tab order of the design, among the controls that take the keyboard.
    QWidget *previous = nullptr;
    for (const Control control : vorsa::ui::kTabOrder) {
        QWidget *next = &vorsa::ui::ControlOf(*this, control);
        if (next->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
    // The link last, after the group.
    setTabOrder(previous, link);
    ListView1->setFocus();
}

void TForm1::ConnectHandlers()
{
    connect(openAction_, &QAction::triggered, this, &TForm1::ToolButton1Click);
    connect(extractAction_, &QAction::triggered, this, &TForm1::ToolButton2Click);
    connect(tickAllAction_, &QAction::triggered, this, &TForm1::ToolButton3Click);
    connect(untickAllAction_, &QAction::triggered, this, &TForm1::ToolButton4Click);
    connect(stopAction_, &QAction::triggered, this, &TForm1::Button1Click);
    // The stop button shows the stop command: a click on it, when it is on,
    // is the command.
    connect(Button1, &QPushButton::clicked, stopAction_, &QAction::trigger);
    connect(stopAction_, &QAction::enabledChanged, Button1, &QWidget::setEnabled);
    connect(&static_cast<vorsa::ui::LinkLabel &>(vorsa::ui::ControlOf(*this, Control::Label11)),
            &vorsa::ui::LinkLabel::clicked, this, &TForm1::Label11Click);
    connect(DirectoryListBox1, &vorsa::ui::DirectoryListBox::Opened, this,
            [this](const QString &folder) {
                RunShowingErrors([this, &folder] { actions_.OpenFolder(folder.toStdString()); });
            });
    connect(DriveComboBox1, &vorsa::ui::DriveComboBox::Picked, this, [this](const QString &drive) {
        RunShowingErrors([this, &drive] { actions_.PickDrive(drive.toStdString()); });
    });
}

// ---- vorsa::WindowState ----

QLabel *TForm1::StateLabel(TextControl control) const
{
    switch (control) {
    case TextControl::Label1:
        return Label1;
    case TextControl::Label2:
        return Label2;
    case TextControl::Label6:
        return Label6;
    case TextControl::Label7:
        return Label7;
    case TextControl::Edit1:
        break;
    }
    return nullptr;
}

std::string TForm1::Text(TextControl control) const
{
    const QLabel *label = StateLabel(control);
    return (label ? label->text() : Edit1->text()).toStdString();
}

void TForm1::SetText(TextControl control, const std::string &text)
{
    const QString shown = QString::fromStdString(text);
    QLabel *label = StateLabel(control);
    if (!label) {
        Edit1->setText(shown);
        return;
    }
    label->setText(shown);
    // The status changes during a run, where a listener cannot look.
    if (control == TextControl::Label7)
        vorsa::ui::AnnounceTextChange(*label);
    // The paths are cut at the label's edge; the pointer resting on one shows it whole.
    else
        label->setToolTip(PlainToolTip(shown));
}

void TForm1::ClearSongList()
{
    ListView1->clear();
}

void TForm1::AddSongListItem(const std::string &caption)
{
    ListView1->AddItem(QString::fromStdString(caption));
}

int TForm1::SongListCount() const
{
    return ListView1->topLevelItemCount();
}

bool TForm1::ItemChecked(int index) const
{
    return ListView1->Checked(index);
}

void TForm1::SetProgress(int position)
{
    ProgressBar1->setValue(position);
}

void TForm1::SetStopEnabled(bool enabled)
{
    stopAction_->setEnabled(enabled);
}

void TForm1::ShowMessage(const std::string &text)
{
    vorsa::ui::ShowMessageBox(QString::fromStdString(vorsa::ui::MessageBoxText(text)));
}

void TForm1::ProcessEvents()
{
    QCoreApplication::processEvents();
}

// ---- vorsa::ui::FormView ----

std::optional<std::string> TForm1::ChooseOpenFile(std::string_view filterShown,
                                                  std::string_view patterns,
                                                  const std::string &initialName)
{
    const std::optional<QString> chosen = vorsa::ui::ChooseOpenFile(
        FromDesign(filterShown), FromDesign(patterns).split(QLatin1Char(';')),
        QString::fromStdString(initialName));
    if (!chosen)
        return std::nullopt;
    return chosen->toStdString();
}

void TForm1::SetItemChecked(int index, bool checked)
{
    ListView1->SetChecked(index, checked);
}

void TForm1::Post(std::function<void()> work)
{
    QMetaObject::invokeMethod(
        this, [work = std::move(work)] { RunShowingErrors(work); }, Qt::QueuedConnection);
}

void TForm1::ShowRunning(bool running)
{
    openAction_->setEnabled(!running);
    extractAction_->setEnabled(!running);
}

void TForm1::CloseLater()
{
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TForm1::OpenAddress(std::string_view address)
{
    QDesktopServices::openUrl(QUrl(FromDesign(address)));
}

std::string TForm1::FolderListDirectory() const
{
    return DirectoryListBox1->Directory().toStdString();
}

void TForm1::EnterFolder(const std::string &folder)
{
    DirectoryListBox1->OpenDirectory(QString::fromStdString(folder));
}

void TForm1::ShowDriveOf(const std::string &folder)
{
    DriveComboBox1->ShowDriveOf(QString::fromStdString(folder));
}

std::string TForm1::DriveOf(const std::string &folder) const
{
    return DriveComboBox1->DriveOf(QString::fromStdString(folder)).toStdString();
}

std::string TForm1::DriveRoot(const std::string &drive) const
{
    // A drive is listed by its root folder.
    return drive;
}

std::string TForm1::StartFolderOf(const std::string &drive) const
{
    // The folder the program started in is its drive's current folder until
    // the user opens another there.
    const std::string start = startFolder_.toStdString();
    return DriveOf(start) == drive ? start : drive;
}

// ---- handlers ----

void TForm1::ToolButton1Click()
{
    RunShowingErrors([this] { actions_.ToolButton1Click(); });
}

void TForm1::ToolButton2Click()
{
    RunShowingErrors([this] { actions_.ToolButton2Click(); });
}

void TForm1::ToolButton3Click()
{
    actions_.ToolButton3Click();
}

void TForm1::ToolButton4Click()
{
    actions_.ToolButton4Click();
}

void TForm1::Button1Click()
{
    actions_.Button1Click();
}

void TForm1::Label11Click()
{
    actions_.Label11Click();
}

void TForm1::DirectoryListBox1Change()
{
    actions_.DirectoryListBox1Change();
}

void TForm1::FormCreate()
{
    setAcceptDrops(true);
}

// ---- file drop ----

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (actions_.MayDrop() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    if (!actions_.MayDrop() || !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            // The name whole, however deep: a cut one would name another file, or none.
            WMDropFiles(url.toLocalFile().toStdString());
            return;
        }
    }
    event->ignore();
}

void TForm1::WMDropFiles(const std::string &droppedName)
{
    actions_.WMDropFiles(droppedName);
}

void TForm1::PostNamedFile(const QString &localPath)
{
    actions_.LoadNamedFile(localPath.toStdString());
}

// ---- closing ----

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!actions_.MayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
