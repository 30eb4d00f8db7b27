#include "QtDialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

QMessageBox::StandardButton escapeButton(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK:
        return QMessageBox::Ok;
    case MsgButtons::OKCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::SaveCancel:
        return QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

MsgResult toResult(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    case QMessageBox::Save:
        return MsgResult::Save;
    default:
        return MsgResult::OK;
    }
}

QMessageBox::Icon toQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Patterns as a set, for comparing "(*.gif; *.bmp)" with "*.bmp;*.gif".
QStringList normalisedPatterns(const QString &patterns)
{
    QStringList list = QString(patterns).replace(QLatin1Char(';'), QLatin1Char(' ')).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    list.sort();
    list.removeDuplicates();
    return list;
}

} // namespace

void prepareMessageBox(QMessageBox &box, const QString &text, const QString &title, MsgButtons buttons,
                       MsgIcon icon)
{
    box.setWindowTitle(title);
    // Texts can carry page titles and addresses; they are never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(toQtIcon(icon));
    box.setWindowModality(Qt::ApplicationModal);

    struct Label { QMessageBox::StandardButton button; const char *text; };
    QList<Label> labels;
    switch (buttons) {
    case MsgButtons::OK:
        labels = {{QMessageBox::Ok, "확인"}};
        break;
    case MsgButtons::OKCancel:
        labels = {{QMessageBox::Ok, "확인"}, {QMessageBox::Cancel, "취소"}};
        break;
    case MsgButtons::YesNo:
        labels = {{QMessageBox::Yes, "예"}, {QMessageBox::No, "아니요"}};
        break;
    case MsgButtons::YesNoCancel:
        labels = {{QMessageBox::Yes, "예"}, {QMessageBox::No, "아니요"}, {QMessageBox::Cancel, "취소"}};
        break;
    case MsgButtons::SaveCancel:
        labels = {{QMessageBox::Save, "저장"}, {QMessageBox::Cancel, "취소"}};
        break;
    }
    QMessageBox::StandardButtons standard;
    for (const Label &label : labels)
        standard |= label.button;
    box.setStandardButtons(standard);
    for (const Label &label : labels)
        box.button(label.button)->setText(QString::fromUtf8(label.text));
    box.setDefaultButton(labels.front().button);
    box.setEscapeButton(escapeButton(buttons));
}

MsgResult messageBoxAnswer(const QMessageBox &box, MsgButtons buttons)
{
    QAbstractButton *clicked = box.clickedButton();
    const QMessageBox::StandardButton button = clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
    return toResult(button == QMessageBox::NoButton ? escapeButton(buttons) : button);
}

MsgResult QtDialogs::messageBox(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                                MsgIcon icon)
{
    QMessageBox box(parent);
    prepareMessageBox(box, text, title, buttons, icon);
    box.exec();
    return messageBoxAnswer(box, buttons);
}

MsgResult QtDialogs::checkedMessageBox(QWidget *parent, const QString &text, const QString &title,
                                       MsgButtons buttons, MsgIcon icon, const QString &checkText, bool &checked)
{
    QMessageBox box(parent);
    prepareMessageBox(box, text, title, buttons, icon);
    auto *check = new QCheckBox(checkText, &box);
    box.setCheckBox(check);
    box.exec();
    checked = check->isChecked();
    return messageBoxAnswer(box, buttons);
}

std::optional<QString> QtDialogs::checkedTextInput(QWidget *parent, const QString &text, const QString &title,
                                                   const QString &initial, const QString &checkText,
                                                   bool &checked)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(text, &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    auto *edit = new QLineEdit(initial, &dialog);
    auto *check = new QCheckBox(checkText, &dialog);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("확인"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("취소"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(check);
    layout->addWidget(buttons);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    checked = check->isChecked();
    if (!accepted)
        return std::nullopt;
    return edit->text();
}

QObject *QtDialogs::notice(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
{
    auto *box = new QMessageBox(parent);
    prepareMessageBox(*box, text, title, MsgButtons::OK, icon);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    return box;
}

std::optional<QString> QtDialogs::textInput(QWidget *parent, const QString &text, const QString &title,
                                            const QString &initial)
{
    QInputDialog dialog(parent);
    prepareTextInput(dialog, text, title, initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void prepareTextInput(QInputDialog &dialog, const QString &text, const QString &title, const QString &initial)
{
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(text);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("확인"));
    dialog.setCancelButtonText(QStringLiteral("취소"));
    dialog.setWindowModality(Qt::ApplicationModal);
}

QString QtDialogs::openFileName(QWidget *parent, const QString &title, const QString &filter, const QString &folder)
{
    return QFileDialog::getOpenFileName(parent, title, folder, toQtFileFilter(filter));
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &title, const QString &filter, const QString &path)
{
    return QFileDialog::getSaveFileName(parent, title, path, toQtFileFilter(filter));
}

std::optional<QFont> QtDialogs::chooseFont(QWidget *parent, const QFont &initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget *parent, const QColor &initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent, QStringLiteral("글꼴 색"));
    return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
}

QString toQtFileFilter(const QString &filter)
{
    QStringList parts = filter.split(QLatin1Char('|'));
    // The form ends every pair with '|', which leaves one empty piece at the end.
    if (!parts.isEmpty() && parts.back().trimmed().isEmpty())
        parts.removeLast();

    QStringList result;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts.value(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        patterns = patterns.simplified();
        if (patterns.isEmpty())
            patterns = QStringLiteral("*");
        if (description.isEmpty()) {
            result.append(QStringLiteral("(%1)").arg(patterns));
            continue;
        }
        // Qt takes the patterns from the last parenthesised group, split at
        // blanks; a description that already ends in the same patterns needs no
        // second copy, only Qt's separator.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0
            && normalisedPatterns(description.mid(open + 1, description.size() - open - 2))
                == normalisedPatterns(patterns)) {
            result.append(QStringLiteral("%1(%2)").arg(description.left(open), patterns));
            continue;
        }
        result.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return result.join(QStringLiteral(";;"));
}

} // namespace platform
