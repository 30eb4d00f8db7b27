#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;

// The look of the wizard: one style sheet and a few helpers that make labels and
// buttons with the right role, so every page reads the same.
namespace prismel::style {

inline constexpr char kFontFamily[] = "NanumGothic";

QString styleSheet();

// A label with the given role ("title", "text", "note", "footer", "heading").
QLabel *label(const QString &text, const char *role, QWidget *parent);
// A push button; primary buttons are the ones that move the wizard forward.
QPushButton *button(const QString &text, const char *objectName, QWidget *parent, bool primary = false);
// A white card with a thin border, used for the panels shown over a page.
QFrame *card(const char *objectName, QWidget *parent);
// A thin line above a page's navigation row.
QFrame *separator(QWidget *parent);
// Re-applies the style after a role or state property changed.
void repolish(QWidget *widget);

// A widget whose children all cover it: the page content below and the panels
// that are shown over it.
class OverlayArea : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void childEvent(QChildEvent *event) override;
};

} // namespace prismel::style
