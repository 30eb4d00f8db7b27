#include "modKeyflint.h"

#include "platform/Settings.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace modKeyflint {

std::optional<Command> commandOf(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers counted =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier);
    for (const KeyflintKey &k : kKeyflintKeys) {
        if (k.key == key && k.modifiers == counted)
            return k.command;
    }
    return std::nullopt;
}

void StartKeyflint(const platform::Environment &env, Keyflint &keyflint)
{
    if (platform::setting::int16(env, settings::Key::KeyflintValue) == 1)
        keyflint.hook();
}

} // namespace modKeyflint

Keyflint::Keyflint(Run run, Active active, QObject *parent)
    : QObject(parent)
    , m_run(std::move(run))
    , m_active(std::move(active))
{
}

Keyflint::~Keyflint()
{
    unhook();
}

void Keyflint::hook()
{
    if (m_hooked || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(this);
    m_hooked = true;
}

void Keyflint::unhook()
{
    if (!m_hooked)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_hooked = false;
}

bool Keyflint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const std::optional<Command> command = modKeyflint::commandOf(key->key(), key->modifiers());
    if (!command || !m_active || !m_active())
        return QObject::eventFilter(watched, event);
    // A held key repeats; a shortcut acts once per press, so that holding
    // Ctrl+W does not close every tab.
    if (!key->isAutoRepeat() && m_run) {
        try {
            m_run(*command);
        } catch (...) {
            // The key is used all the same.
        }
    }
    event->accept();
    return true;
}
