#include "Unit1.h"

#include "BoxText.h"
#include "Dialogs.h"
#include "DirectoryListBox.h"
#include "DiscReaders.h"
#include "DriveComboBox.h"
#include "ErrorDisplay.h"
#include "Extraction.h"
#include "FormDesign.h"
#include "GridLineDelegate.h"
#include "LinkLabel.h"
#include "NamedFile.h"
#include "PathText.h"
#include "SelectionPalette.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include <cstdint>
#include <optional>
#include <string_view>

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
using vorsa::ui::ControlDesign;

QColor ColourOf(vorsa::ui::Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}
const QColor kCream = ColourOf(vorsa::ui::kCream);
const QColor kNavy = ColourOf(vorsa::ui::kNavy);

QString FromDesign(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A tool tip that shows `text` as it is: Qt would take a text that looks
// like markup (a folder named "<b>") for rich text.
QString PlainToolTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

// A label of the design, its text the design's.
QLabel *MakeLabel(QWidget *parent, Control control)
{
    const ControlDesign &design = vorsa::ui::DesignOf(control);
    auto *label = new QLabel(FromDesign(design.text), parent);
    label->setObjectName(FromDesign(design.name));
    // Paths are shown as they are, never taken for rich text.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void SetBackground(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

QToolButton *MakeToolButton(QWidget *bar, Control control, const QIcon &image)
{
    const ControlDesign &design = vorsa::ui::DesignOf(control);
    auto *button = new QToolButton(bar);
    button->setObjectName(FromDesign(design.name));
    button->setIcon(image);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setToolTip(FromDesign(design.hint));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent),
      runGuard_(
          {.showRunning =
               [this](bool running) {
                   ToolButton1->setEnabled(!running);
                   ToolButton2->setEnabled(!running);
               },
           .stop = [this] { Button1Click(); },
           .closeLater =
               [this] { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); }})
{
    InitVorsaResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Vorsa"));
    setWindowIcon(QIcon(QStringLiteral(":/vorsa/vorsa.png")));
    SetBackground(this, palette().color(QPalette::Button));

    // Laid out at the screen's own scale where the window fits, else as
    // large as fits, in the middle of the screen. move() places the frame,
    // whose title bar the window system adds: the style's height stands in.
    int dpi = vorsa::ui::kDesignDpi;
    QPoint frameTopLeft;
    if (const QScreen *desktop = screen()) {
        const QRect available = desktop->availableGeometry();
        const vorsa::ui::FormPlacement placement = vorsa::ui::PlaceForm(
            dpi, 0, style()->pixelMetric(QStyle::PM_TitleBarHeight),
            {available.x(), available.y(), available.width(), available.height()});
        dpi = placement.dpi;
        frameTopLeft = QPoint(placement.frame.left, placement.frame.top);
    }
    // The font first: the controls that a style sheet draws take the
    // window's font when they are made, and no later change of it.
    QFont font;
    QStringList faces;
    for (const std::string_view face : vorsa::ui::kFontFaces)
        faces.append(FromDesign(face));
    font.setFamilies(faces);
    font.setPixelSize(vorsa::ui::Scaled(vorsa::ui::kFontPixels, dpi));
    setFont(font);
    CreateControls();
    LayOut(dpi);
    move(frameTopLeft);
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls()
{
    Label1 = MakeLabel(this, Control::Label1);
    SetBackground(Label1, kCream);
    Label2 = MakeLabel(this, Control::Label2);
    SetBackground(Label2, kCream);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(1);
    ListView1->setHeaderLabels({FromDesign(vorsa::ui::kSongListHeading)});
    ListView1->header()->setStretchLastSection(true);
    // The one column fits the list at any scale: no scroll bar across it.
    ListView1->header()->setMinimumSectionSize(0);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView1->header()->setSectionsMovable(false);
    ListView1->setRootIsDecorated(false);
    ListView1->setIndentation(0);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemDelegate(new vorsa::ui::GridLineDelegate(ListView1));
    vorsa::ui::MuteInactiveSelection(*ListView1);

    Label3 = MakeLabel(this, Control::Label3);
    Label4 = MakeLabel(this, Control::Label4);
    Label5 = MakeLabel(this, Control::Label5);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    // A file dropped over the prefix box is a file for the window, not text
    // for the box: Qt hands a drop to the deepest widget that takes drops.
    Edit1->setAcceptDrops(false);

    Label6 = MakeLabel(this, Control::Label6);
    SetBackground(Label6, kCream);

    DirectoryListBox1 = new vorsa::ui::DirectoryListBox(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    // The process's folder is shown, but no change is signalled: the
    // destination stays unset until the user opens a folder.
    DirectoryListBox1->ShowDirectory(QDir::currentPath());

    DriveComboBox1 = new vorsa::ui::DriveComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->SetDirList(DirectoryListBox1);

    ImageList1 = {QIcon(QStringLiteral(":/vorsa/open.png")),
                  QIcon(QStringLiteral(":/vorsa/extract.png")),
                  QIcon(QStringLiteral(":/vorsa/tickall.png")),
                  QIcon(QStringLiteral(":/vorsa/untickall.png"))};
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolButton1 = MakeToolButton(ToolBar1, Control::ToolButton1, ImageList1[0]);
    ToolButton2 = MakeToolButton(ToolBar1, Control::ToolButton2, ImageList1[1]);
    ToolButton3 = MakeToolButton(ToolBar1, Control::ToolButton3, ImageList1[2]);
    ToolButton4 = MakeToolButton(ToolBar1, Control::ToolButton4, ImageList1[3]);

    GroupBox1 = new QGroupBox(FromDesign(vorsa::ui::DesignOf(Control::GroupBox1).text), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    // The caption sits on the frame's top line, as the design places the
    // status label and the stop button 16 pixels below the box's top.
    GroupBox1->setStyleSheet(QStringLiteral(
        "QGroupBox#GroupBox1 { border: 1px solid palette(mid); border-radius: 2px;"
        " margin-top: 6px; }"
        "QGroupBox#GroupBox1::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; }"));
    Label7 = MakeLabel(GroupBox1, Control::Label7);
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetBackground(Label7, kCream);
    ProgressBar1 = new QProgressBar(GroupBox1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Button1 = new QPushButton(FromDesign(vorsa::ui::DesignOf(Control::Button1).text), GroupBox1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setEnabled(false);

    Label8 = MakeLabel(this, Control::Label8);
    Label9 = MakeLabel(this, Control::Label9);
    Label10 = MakeLabel(this, Control::Label10);

    auto *link = new vorsa::ui::LinkLabel(this);
    Label11 = link;
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setTextFormat(Qt::PlainText);
    Label11->setText(FromDesign(vorsa::ui::DesignOf(Control::Label11).text));
    Label11->setCursor(Qt::PointingHandCursor);
    QPalette linkPalette = Label11->palette();
    linkPalette.setColor(QPalette::WindowText, kNavy);
    // The caption text colour of the title bar, white on most desktops.
    linkPalette.setColor(QPalette::Window, linkPalette.color(QPalette::HighlightedText));
    Label11->setPalette(linkPalette);
    Label11->setAutoFillBackground(true);

    // The tab order of the design, among the controls that take the keyboard.
    QWidget *previous = nullptr;
    for (const Control control : vorsa::ui::kTabOrder) {
        QWidget *next = ControlWidget(control);
        if (next->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
    ListView1->setFocus();
}

QWidget *TForm1::ControlWidget(Control control) const
{
    switch (control) {
    case Control::Form1:
        return const_cast<TForm1 *>(this);
    case Control::ToolBar1:
        return ToolBar1;
    case Control::ToolButton1:
        return ToolButton1;
    case Control::ToolButton2:
        return ToolButton2;
    case Control::ToolButton3:
        return ToolButton3;
    case Control::ToolButton4:
        return ToolButton4;
    case Control::Label3:
        return Label3;
    case Control::Label1:
        return Label1;
    case Control::Label4:
        return Label4;
    case Control::Label2:
        return Label2;
    case Control::Label5:
        return Label5;
    case Control::Edit1:
        return Edit1;
    case Control::Label8:
        return Label8;
    case Control::Label6:
        return Label6;
    case Control::DriveComboBox1:
        return DriveComboBox1;
    case Control::DirectoryListBox1:
        return DirectoryListBox1;
    case Control::GroupBox1:
        return GroupBox1;
    case Control::Label7:
        return Label7;
    case Control::ProgressBar1:
        return ProgressBar1;
    case Control::Button1:
        return Button1;
    case Control::ListView1:
        return ListView1;
    case Control::Label10:
        return Label10;
    case Control::Label9:
        return Label9;
    case Control::Label11:
        return Label11;
    }
    return nullptr;
}

void TForm1::LayOut(int dpi)
{
    layoutDpi_ = dpi;
    const auto scaled = [dpi](int pixels) { return vorsa::ui::Scaled(pixels, dpi); };
    QFont linkFont = font();
    linkFont.setUnderline(true);
    Label11->setFont(linkFont);
    setFixedSize(scaled(vorsa::ui::kClientWidth), scaled(vorsa::ui::kClientHeight));
    for (QToolButton *button : {ToolButton1, ToolButton2, ToolButton3, ToolButton4})
        button->setIconSize(
            QSize(scaled(vorsa::ui::kToolImagePixels), scaled(vorsa::ui::kToolImagePixels)));
    DirectoryListBox1->SetItemHeight(scaled(vorsa::ui::kFolderItemHeight));

    // Scaled in the window's client area, then taken into the parent's, so
    // that a group's controls round as the window's do.
    for (const ControlDesign &design : vorsa::ui::kForm) {
        QWidget *control = ControlWidget(design.control);
        vorsa::ui::Rect at = vorsa::ui::Scaled(vorsa::ui::ClientRectOf(design.control), dpi);
        if (design.parent != Control::Form1) {
            const vorsa::ui::Rect parent =
                vorsa::ui::Scaled(vorsa::ui::ClientRectOf(design.parent), dpi);
            at.left -= parent.left;
            at.top -= parent.top;
        }
        if (design.sizing == vorsa::ui::Sizing::ToText) {
            control->move(at.left, at.top);
            control->adjustSize();
        } else {
            control->setGeometry(at.left, at.top, at.width, at.height);
        }
    }
}

void TForm1::ConnectHandlers()
{
    using vorsa::ui::RunShowingErrors;
    // Errors of a handler are shown here, before they could unwind through Qt.
    const auto wire = [this](QToolButton *button, void (TForm1::*handler)()) {
        connect(button, &QToolButton::clicked, this,
                [this, handler] { RunShowingErrors([this, handler] { (this->*handler)(); }); });
    };
    wire(ToolButton1, &TForm1::ToolButton1Click);
    wire(ToolButton2, &TForm1::ToolButton2Click);
    wire(ToolButton3, &TForm1::ToolButton3Click);
    wire(ToolButton4, &TForm1::ToolButton4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(DirectoryListBox1, &vorsa::ui::DirectoryListBox::Change, this,
            &TForm1::DirectoryListBox1Change);
    connect(static_cast<vorsa::ui::LinkLabel *>(Label11), &vorsa::ui::LinkLabel::clicked, this,
            &TForm1::Label11Click);

    // The keyboard reaches what the mouse does. A click on a disabled button
    // does nothing, so a key does nothing where the button would not.
    const auto key = [this](const QKeySequence &keys, QAbstractButton *button) {
        connect(new QShortcut(keys, this), &QShortcut::activated, button, &QAbstractButton::click);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_O), ToolButton1);
    key(QKeySequence(Qt::CTRL | Qt::Key_S), ToolButton2);
    key(QKeySequence(Qt::CTRL | Qt::Key_A), ToolButton3);
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), ToolButton4);
    key(QKeySequence(Qt::Key_Escape), Button1);
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
    // The paths are cut at the label's edge; the pointer resting on one shows it whole.
    if (control != TextControl::Label7)
        label->setToolTip(PlainToolTip(shown));
}

void TForm1::ClearSongList()
{
    ListView1->clear();
}

void TForm1::AddSongListItem(const std::string &caption)
{
    auto *item = new QTreeWidgetItem(ListView1, QStringList{QString::fromStdString(caption)});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
}

int TForm1::SongListCount() const
{
    return ListView1->topLevelItemCount();
}

bool TForm1::ItemChecked(int index) const
{
    const QTreeWidgetItem *item = ListView1->topLevelItem(index);
    return item && item->checkState(0) == Qt::Checked;
}

void TForm1::SetProgress(int position)
{
    ProgressBar1->setValue(position);
}

void TForm1::SetStopEnabled(bool enabled)
{
    Button1->setEnabled(enabled);
}

void TForm1::ShowMessage(const std::string &text)
{
    vorsa::ui::ShowMessageBox(QString::fromStdString(vorsa::ui::MessageBoxText(text)));
}

void TForm1::ProcessEvents()
{
    QCoreApplication::processEvents();
}

// ---- handlers ----

void TForm1::DirectoryListBox1Change()
{
    SetText(TextControl::Label6,
            vorsa::text::WithTrailingDelimiter(DirectoryListBox1->Directory().toStdString()));
}

void TForm1::Label11Click()
{
    // A browser that fails to start is not reported.
    QDesktopServices::openUrl(QUrl(Label11->text()));
}

void TForm1::ToolButton1Click()
{
    if (!runGuard_.MayLoad())
        return;
    const std::optional<QString> chosen = vorsa::ui::ChooseOpenFile(
        QStringLiteral("ccd,cueファイル(*.cue,*.ccd)"),
        {QStringLiteral("*.cue"), QStringLiteral("*.ccd")}, lastOpenName_);
    if (!chosen)
        return;
    lastOpenName_ = *chosen;
    vorsa::LoadControlFile(*this, chosen->toStdString());
}

void TForm1::ToolButton2Click()
{
    runGuard_.Extract(*this);
}

void TForm1::ToolButton3Click()
{
    SetAllTicks(true);
}

void TForm1::ToolButton4Click()
{
    SetAllTicks(false);
}

void TForm1::FormCreate()
{
    setAcceptDrops(true);
}

void TForm1::Button1Click()
{
    vorsa::Button1Click();
    // The stop is taken: the button stays off until the run ends, so the
    // user sees it even while the current track is still being copied.
    Button1->setEnabled(false);
}

void TForm1::SetAllTicks(bool ticked)
{
    // The item count as the 16-bit counter that the list's users keep.
    const auto count = static_cast<std::int16_t>(ListView1->topLevelItemCount());
    for (int i = 1; i <= count; ++i)
        ListView1->topLevelItem(i - 1)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

// ---- file drop ----

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (runGuard_.MayLoad() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    if (!runGuard_.MayLoad() || !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    std::optional<QString> first;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            first = url.toLocalFile();
            break;
        }
    }
    if (!first) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    PostDroppedFile(*first);
}

void TForm1::PostDroppedFile(const QString &localPath)
{
    // The name whole, however deep: a cut one would name another file, or none.
    PostLoad([this, name = localPath.toStdString()] { WMDropFiles(name); });
}

void TForm1::PostNamedFile(const QString &localPath)
{
    PostLoad([this, name = localPath.toStdString()] { vorsa::ui::LoadNamedFile(*this, name); });
}

template <typename Load> void TForm1::PostLoad(Load load)
{
    // The load runs once the shell's drop is over: a reader's message box
    // opened inside this handler would keep the file manager's drag pending
    // until the user closed it.
    QMetaObject::invokeMethod(
        this,
        [this, load] {
            // A run that started between the drop and now owns the table.
            if (!runGuard_.MayLoad())
                return;
            vorsa::ui::RunShowingErrors(load);
        },
        Qt::QueuedConnection);
}

void TForm1::WMDropFiles(const std::string &droppedName)
{
    vorsa::LoadDroppedFile(*this, droppedName);
}

// ---- closing ----

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!runGuard_.MayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
