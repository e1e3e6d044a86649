#include "FormLayout.h"

#include "DirectoryListBox.h"

#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

#include <string_view>

namespace vorsa::ui
{

QWidget &ControlOf(const QWidget &form, Control control)
{
    if (control == Control::Form1)
        return const_cast<QWidget &>(form);
    const std::string_view name = DesignOf(control).name;
    auto *widget = form.findChild<QWidget *>(
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    Q_ASSERT(widget);
    return *widget;
}

ScreenPlacement PlaceOnScreen(const QWidget &form)
{
    // At the screen's own scale where the window fits, else as large as
    // fits. move() places the frame, whose title bar the window system adds:
    // the style's height stands in.
    const QScreen *desktop = form.screen();
    if (!desktop)
        return {kDesignDpi, QPoint()};
    const QRect available = desktop->availableGeometry();
    const FormPlacement placement =
        PlaceForm(kDesignDpi, 0, form.style()->pixelMetric(QStyle::PM_TitleBarHeight),
                  {available.x(), available.y(), available.width(), available.height()});
    return {placement.dpi, QPoint(placement.frame.left, placement.frame.top)};
}

QFont FormFont(int dpi)
{
    QFont font;
    QStringList faces;
    for (const std::string_view face : kFontFaces)
        faces.append(QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size())));
    font.setFamilies(faces);
    font.setPixelSize(Scaled(kFontPixels, dpi));
    return font;
}

void LayOutForm(QWidget &form, int dpi)
{
    const auto scaled = [dpi](int pixels) { return Scaled(pixels, dpi); };
    form.setFixedSize(scaled(kClientWidth), scaled(kClientHeight));
    for (const Control button :
         {Control::ToolButton1, Control::ToolButton2, Control::ToolButton3, Control::ToolButton4})
        static_cast<QToolButton &>(ControlOf(form, button))
            .setIconSize(QSize(scaled(kToolImagePixels), scaled(kToolImagePixels)));
    auto &folders = static_cast<DirectoryListBox &>(ControlOf(form, Control::DirectoryListBox1));
    folders.SetItemHeight(scaled(kFolderItemHeight));
    folders.SetIndent(scaled(kFolderIndentPixels));

    // Scaled in the window's client area, then taken into the parent's, so
    // that a group's controls round as the window's do.
    for (const ControlDesign &design : kForm) {
        QWidget &control = ControlOf(form, design.control);
        Rect at = Scaled(ClientRectOf(design.control), dpi);
        if (design.parent != Control::Form1) {
            const Rect parent = Scaled(ClientRectOf(design.parent), dpi);
            at.left -= parent.left;
            at.top -= parent.top;
        }
        if (design.sizing == Sizing::ToText) {
            control.move(at.left, at.top);
            control.adjustSize();
        } else {
            control.setGeometry(at.left, at.top, at.width, at.height);
        }
    }
}

} // namespace vorsa::ui
