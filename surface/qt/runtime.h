#pragma once

#include "../surface.h"

#include <exception>

class QWidget;

namespace surface::qt {

class QtRuntime final : public Runtime
{
public:
    // Message boxes are centred over owner.
    explicit QtRuntime(QWidget *owner) : m_owner(owner) {}
    void MsgBox(const QString &prompt, Integer buttons, const QString &title) override;
    [[noreturn]] void End() override;

private:
    QWidget *const m_owner;
};

// Reports an error that stopped an event procedure, in a message box.
void reportError(const QString &description);

// Runs an event procedure to completion. An error raised inside it stops it and is reported
// to the user here, the one place that does so; the program goes on with its entries intact.
// End() also unwinds through here, silently.
template<class Procedure> void runEvent(Procedure &&procedure) noexcept
{
    try {
        procedure();
    } catch (const ProgramEnded &) {
    } catch (const Error &error) {
        reportError(error.description());
    } catch (const std::exception &error) {
        reportError(QString::fromLocal8Bit(error.what()));
    }
}

} // namespace surface::qt
