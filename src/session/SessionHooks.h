#pragma once

#include "platform/Error.h"
#include "session/Dialogs.h"

#include <QString>

#include <functional>

namespace korbena {

// What the controller's pieces ask of the controller they belong to: the
// notifications, which it answers in their fixed order across the pieces, the
// preview's two redraws and the label the rows start at.
class SessionHooks
{
public:
    virtual void raise(const QString& notification) = 0;
    virtual void RedrawPreview() = 0;
    virtual void explicitRedraw() = 0;
    virtual int startLabel() const = 0;

protected:
    ~SessionHooks() = default;
};

// Runs a command; an error it does not handle itself ends it with an error box.
inline void runCommand(Dialogs& dialogs, const std::function<void()>& command)
{
    try {
        command();
    } catch (const Error& e) {
        dialogs.error(e.message(), e.detail());
    }
}

} // namespace korbena
