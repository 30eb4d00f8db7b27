#pragma once

#include "Suggestions.h"

#include <QFrame>
#include <QPointer>

#include <functional>

class QLineEdit;
class QListWidget;

// The drop-down under the address box: the suggestions for what is typed.
// It is a child of the box's window laid over the page, so the box keeps the
// focus and the typing; a click on a row opens it.
class SuggestionList : public QFrame
{
    Q_OBJECT
public:
    explicit SuggestionList(QWidget *parent);

    QListWidget *Rows;

    void setSuggestions(const QList<suggestions::Candidate> &list);
    const QList<suggestions::Candidate> &suggestions() const { return m_list; }
    // The selected row, -1 when none is.
    int selected() const;
    void select(int row);
    int rowHeight() const;

Q_SIGNALS:
    void rowClicked(int row);

private:
    QList<suggestions::Candidate> m_list;
};

// Offers suggestions under an address box while the user types, and answers
// the box's keys while the list is shown: Up and Down move the selection,
// Enter opens the selected one (or the text as typed when none is selected),
// Escape closes the list before the box. While the input method composes a
// syllable nothing is offered, and Enter commits the syllable first.
class AddressSuggestions : public QObject
{
    Q_OBJECT
public:
    // The candidates for the text: the visited addresses and the favorites.
    using Source = std::function<void(const QString &text, QList<suggestions::Candidate> &history,
                                      QList<suggestions::Candidate> &favorites)>;
    using Clock = std::function<qint64()>;

    AddressSuggestions(QLineEdit &box, Source source, QObject *parent = nullptr);

    void setClock(Clock clock) { m_clock = std::move(clock); }
    // Told when Enter sends the box's text to the page.
    void setOnEnter(std::function<void()> onEnter) { m_onEnter = std::move(onEnter); }

    SuggestionList *list() const { return m_list; }
    bool shown() const;
    bool composing() const { return !m_preedit.isEmpty(); }

    // Looks the typed text up again and shows or hides the list.
    void refresh();
    void hide();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(QKeyEvent *event);
    void place();
    void openRow(int row);

    QLineEdit &m_box;
    Source m_source;
    Clock m_clock;
    std::function<void()> m_onEnter;
    QPointer<SuggestionList> m_list;
    QString m_preedit;
    bool m_committing = false;
};
