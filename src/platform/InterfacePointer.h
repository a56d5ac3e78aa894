#pragma once

#include <QObject>
#include <QPointer>
#include <QtGlobal>

// An interface of a QObject (a pane, a contact view), held as weakly as a
// QPointer holds its object: it reads null once the object is destroyed, so
// a holder that outlives the pane never calls into a dead widget. Whatever
// is handed over must be a QObject.
template <typename Interface> class InterfacePointer {
public:
    InterfacePointer() = default;
    InterfacePointer(Interface *held) { *this = held; } // NOLINT: stands in for the raw pointer

    InterfacePointer &operator=(Interface *held)
    {
        m_object = dynamic_cast<QObject *>(held);
        m_interface = m_object ? held : nullptr;
        if (held && !m_object)
            qWarning("%s: ERROR the interface handed over is not a QObject's", Q_FUNC_INFO);
        return *this;
    }

    [[nodiscard]] Interface *get() const { return m_object ? m_interface : nullptr; }
    operator Interface *() const { return get(); } // NOLINT: reads as the raw pointer it replaces
    Interface *operator->() const { return get(); }

private:
    QPointer<QObject> m_object;
    Interface *m_interface = nullptr;
};
