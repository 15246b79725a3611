#include "platform/page_builder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <cstdio>
#include <cstdlib>

namespace platform {

using templates::ControlKind;
using templates::ControlTemplate;
using templates::DialogTemplate;

namespace {

Qt::Alignment TextAlignment(unsigned style) {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if ((style & templates::kCenter) != 0) {
        horizontal = Qt::AlignHCenter;
    } else if ((style & templates::kRight) != 0) {
        horizontal = Qt::AlignRight;
    }
    const Qt::Alignment vertical =
        (style & templates::kCenterVertically) != 0 ? Qt::AlignVCenter : Qt::AlignTop;
    return horizontal | vertical;
}

QWidget* CreateLabel(const ControlTemplate& control, QWidget& page) {
    auto* label = new QLabel(StaticText(control.text), &page);
    label->setAlignment(TextAlignment(control.style));
    label->setWordWrap(true);
    if ((control.style & templates::kSunken) != 0) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return label;
}

QWidget* CreateFrame(const ControlTemplate& control, QWidget& page) {
    auto* frame = new QFrame(&page);
    if ((control.style & templates::kSunken) != 0) {
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    } else if ((control.style & templates::kBlackFrame) != 0) {
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);  // drawn in the text colour, black
    }
    return frame;
}

// The pages' one-line fields read numbers, unit values, channel lists and
// SCPI words, all typed as plain keys: they leave the input method (and the
// compose table it parses at the first key press) to the algorithm editor.
void TakeKeysAsTyped(QWidget& field) {
    field.setAttribute(Qt::WA_InputMethodEnabled, false);
}

QWidget* CreateEdit(const ControlTemplate& control, QWidget& page) {
    auto* edit = new QLineEdit(QString::fromStdString(control.text), &page);
    edit->setReadOnly((control.style & templates::kReadOnly) != 0);
    edit->setAlignment(TextAlignment(control.style) & Qt::AlignHorizontal_Mask);
    TakeKeysAsTyped(*edit);
    return edit;
}

QWidget* CreateMultiLineEdit(const ControlTemplate& control, QWidget& page) {
    auto* edit = new QPlainTextEdit(QString::fromStdString(control.text), &page);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setReadOnly((control.style & templates::kReadOnly) != 0);
    if ((control.style & templates::kVerticalScroll) != 0) {
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    return edit;
}

QWidget* CreateCombo(const ControlTemplate& control, QWidget& page, bool editable) {
    auto* combo = new QComboBox(&page);
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (editable) {
        combo->setEditText(QString::fromStdString(control.text));
        TakeKeysAsTyped(*combo);
        TakeKeysAsTyped(*combo->lineEdit());
    }
    return combo;
}

// Radio buttons form a group from a button marked kGroup (or the first radio
// after another kind of control) up to the next such start.
class RadioGrouper {
public:
    void Add(QRadioButton* radio, const ControlTemplate& control, QWidget& page) {
        if (group_ == nullptr || (control.style & templates::kGroup) != 0 || !previousWasRadio_) {
            group_ = new QButtonGroup(&page);
            group_->setExclusive(true);
        }
        group_->addButton(radio, control.id);
        previousWasRadio_ = true;
    }
    void Other() { previousWasRadio_ = false; }

private:
    QButtonGroup* group_ = nullptr;
    bool previousWasRadio_ = false;
};

QWidget* CreateControl(const ControlTemplate& control, QWidget& page, RadioGrouper& radios) {
    const QString text = QString::fromStdString(control.text);
    if (control.kind == ControlKind::RadioButton) {
        auto* radio = new QRadioButton(text, &page);
        radios.Add(radio, control, page);
        return radio;
    }
    radios.Other();
    switch (control.kind) {
        case ControlKind::Label:
            return CreateLabel(control, page);
        case ControlKind::Frame:
        case ControlKind::OwnerDrawButton:
            return CreateFrame(control, page);
        case ControlKind::GroupBox:
            return new QGroupBox(text, &page);
        case ControlKind::PushButton: {
            // Enter presses the focused button, as in a dialog (a page is none).
            auto* button = new QPushButton(text, &page);
            button->setAutoDefault(true);
            return button;
        }
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(text, &page);
            button->setDefault(true);
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(text, &page);
        case ControlKind::Edit:
            return CreateEdit(control, page);
        case ControlKind::MultiLineEdit:
            return CreateMultiLineEdit(control, page);
        case ControlKind::ComboBox:
            return CreateCombo(control, page, true);
        case ControlKind::DropList:
            return CreateCombo(control, page, false);
        case ControlKind::ListBox:
            return new QListWidget(&page);
        case ControlKind::VerticalScrollBar:
            return new QScrollBar(Qt::Vertical, &page);
        case ControlKind::Icon: {
            auto* icon = new QLabel(&page);
            icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
            return icon;
        }
        case ControlKind::RadioButton:
            break;
    }
    return CreateFrame(control, page);
}

// A drop-down's template height includes its open list; the closed box keeps
// the style's own height.
QRect ControlGeometry(const ControlTemplate& control, const DialogUnits& units, QWidget& widget) {
    QRect rect = ToPixels(units, control);
    if (control.kind == ControlKind::ComboBox || control.kind == ControlKind::DropList) {
        rect.setHeight(widget.sizeHint().height());
    }
    return rect;
}

// Asked of the font database once: a family it lacks would cost a fontconfig
// fallback search (a few milliseconds) when the page's font is first used,
// only to end where the next family of the list ends anyway.
bool InstalledFamily(const QString& family) {
    static const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

// Where the application's own font already is DejaVu Sans, a page asks for
// it as the application does: the same face, and the font database's answer
// for that request (its fallback families) is already at hand, where asking
// by another name would search fontconfig again at the first page.
bool ApplicationFontIsDejaVuSans() {
    return QFontInfo(QApplication::font()).family() == QLatin1String("DejaVu Sans");
}

}  // namespace

QFont TemplateFont(const DialogTemplate& dialog) {
    const QString family = QString::fromStdString(dialog.fontFamily);
    const bool installed = InstalledFamily(family);
    if (!installed && ApplicationFontIsDejaVuSans()) {
        QFont font = QApplication::font();
        font.setPointSize(dialog.pointSize);
        return font;
    }
    QStringList families{QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};
    if (installed) {
        families.prepend(family);
    }
    QFont font(families.front());
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies(families);
    font.setPointSize(dialog.pointSize);
    return font;
}

DialogUnits DialogUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    DialogUnits units;
    units.baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    units.baseY = metrics.height();
    return units;
}

QRect ToPixels(const DialogUnits& units, const ControlTemplate& control) {
    return QRect(units.ToX(control.x), units.ToY(control.y), units.ToX(control.width),
                 units.ToY(control.height));
}

QSize TemplatePixelSize(const DialogTemplate& dialog) {
    const DialogUnits units = DialogUnitsOf(TemplateFont(dialog));
    return QSize(units.ToX(dialog.width), units.ToY(dialog.height));
}

namespace {

// A control without text of its own is known by its label, to assistive
// technology as well; a radio button or check box keeps its text and notes
// the label beside it. A push button's text says all.
void NameAfterLabel(QWidget& widget, ControlKind kind, const QString& label) {
    if (label.isEmpty() || kind == ControlKind::PushButton ||
        kind == ControlKind::DefaultPushButton || kind == ControlKind::OwnerDrawButton) {
        return;
    }
    widget.setProperty(kControlLabelProperty, label);
    if (kind == ControlKind::ComboBox || kind == ControlKind::DropList ||
        kind == ControlKind::Edit) {
        widget.setAccessibleName(label);
    }
}

}  // namespace

QString StaticText(const std::string& text) {
    QString shown;
    const QString source = QString::fromStdString(text);
    for (int i = 0; i < source.size(); ++i) {
        if (source[i] != QLatin1Char('&')) {
            shown.append(source[i]);
            continue;
        }
        if (i + 1 < source.size() && source[i + 1] == QLatin1Char('&')) {
            shown.append(QLatin1Char('&'));
            ++i;
        }
    }
    return shown;
}

void BuildControls(const DialogTemplate& dialog, QWidget& page) {
    const QFont font = TemplateFont(dialog);
    page.setFont(font);
    const DialogUnits units = DialogUnitsOf(font);
    page.setFixedSize(QSize(units.ToX(dialog.width), units.ToY(dialog.height)));
    if (!dialog.title.empty()) {
        page.setWindowTitle(QString::fromStdString(dialog.title));
    }
    RadioGrouper radios;
    QString label;  // the label the next controls follow, until a frame or the next label
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = CreateControl(control, page, radios);
        if (control.kind == ControlKind::Label) {
            label = StaticText(control.text).trimmed();
        } else if (control.kind == ControlKind::GroupBox) {
            label.clear();
        }
        if (control.id != templates::kStaticId) {
            widget->setObjectName(QString::number(control.id));
            NameAfterLabel(*widget, control.kind, label);
        }
        widget->setGeometry(ControlGeometry(control, units, *widget));
        widget->setEnabled((control.style & templates::kDisabled) == 0);
        if ((control.style & templates::kNoTabStop) != 0) {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        widget->setVisible((control.style & templates::kHidden) == 0);
        if (control.kind == ControlKind::GroupBox) {
            widget->lower();  // a frame drawn behind the controls it surrounds
        }
    }
}

const DialogTemplate& RequireTemplate(int id) {
    const DialogTemplate* found = templates::FindDialogTemplate(id);
    if (found == nullptr) {
        std::fprintf(stderr, "dialog template %d is missing from the resources\n", id);
        std::abort();
    }
    return *found;
}

}  // namespace platform
