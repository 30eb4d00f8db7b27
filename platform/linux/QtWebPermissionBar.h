#pragma once

#include <QFrame>
#include <QPointer>

class QLabel;
class QPushButton;

namespace platform {

// The bar across the top of a page that asks whether a site may use a
// feature: the question and "허용", "차단", "이번만 허용". It is a child of the
// page's view and follows its width; it shows one question at a time.
class QtWebPermissionBar : public QFrame
{
    Q_OBJECT
public:
    enum class Answer { Allow, Block, AllowOnce };

    explicit QtWebPermissionBar(QWidget *view);

    void ask(const QString &question);
    QString question() const;

    QPushButton *allowButton() const { return m_allow; }
    QPushButton *blockButton() const { return m_block; }
    QPushButton *onceButton() const { return m_once; }

Q_SIGNALS:
    void answered(platform::QtWebPermissionBar::Answer answer);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QPointer<QWidget> m_view;
    QLabel *m_question;
    QPushButton *m_allow;
    QPushButton *m_block;
    QPushButton *m_once;
};

} // namespace platform
