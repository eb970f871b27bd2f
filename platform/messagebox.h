#pragma once
// The message box of a window (dotaz) and the standard error box. Tests install a responder
// that answers instead of a person, so no modal box can hang a run.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

enum class MsgIcon { Information, Stop, Warning, Question };

struct MessageRequest {
    QString caption;
    QString text;
    QStringList buttons;
    MsgIcon icon = MsgIcon::Information;
    bool error = false; // the standard error box
};

namespace Messages {
// Returns the 1-based button chosen, or 0 when the box was closed without one.
using Responder = std::function<int(const MessageRequest &)>;
void setResponder(Responder responder);
bool hasResponder();
} // namespace Messages

// One window's message box: a fixed caption; each use sets the text, one to three buttons and
// an icon, and returns which button was pressed (1 = the first), 0 when closed otherwise.
class Dotaz {
public:
    explicit Dotaz(const QString &caption) : m_caption(caption) {}
    int ask(QWidget *parent, const QString &text, const QStringList &buttons, MsgIcon icon) const;
    const QString &caption() const { return m_caption; }

private:
    QString m_caption;
};

// The standard error box: the application's title, the error's own text, "OK".
void showErrorBox(QWidget *parent, const QString &text);
