#pragma once
// The one error type of the program: an operation that cannot go on throws it with the text the
// user is shown. Commands never catch it themselves; the application's error display does.
#include <QString>
#include <stdexcept>

class EKanvoError : public std::runtime_error {
public:
    explicit EKanvoError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &Message() const noexcept { return m_message; }

private:
    QString m_message;
};
