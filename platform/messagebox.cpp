#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
Messages::Responder &responder() {
    static Messages::Responder r;
    return r;
}

int showBox(QWidget *parent, const MessageRequest &req) {
    if (responder()) return responder()(req);
    QMessageBox box(parent);
    box.setObjectName(req.error ? QStringLiteral("ErrorBox") : QStringLiteral("dotaz"));
    box.setWindowTitle(req.caption);
    box.setText(QString(req.text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    switch (req.icon) {
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QList<QAbstractButton *> buttons;
    for (int i = 0; i < req.buttons.size() && i < 3; ++i) {
        QPushButton *b = box.addButton(req.buttons.at(i), QMessageBox::AcceptRole);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        buttons << b;
    }
    if (!buttons.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    box.exec();
    const int index = int(buttons.indexOf(box.clickedButton()));
    return index < 0 ? 0 : index + 1;
}
} // namespace

namespace Messages {
void setResponder(Responder r) {
    responder() = std::move(r);
}
bool hasResponder() {
    return bool(responder());
}
} // namespace Messages

int Dotaz::ask(QWidget *parent, const QString &text, const QStringList &buttons, MsgIcon icon) const {
    MessageRequest req;
    req.caption = m_caption;
    req.text = text;
    req.buttons = buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : buttons;
    req.icon = icon;
    return showBox(parent, req);
}

void showErrorBox(QWidget *parent, const QString &text) {
    MessageRequest req;
    req.caption = QApplication::applicationDisplayName();
    req.text = text;
    req.buttons = {QStringLiteral("OK")};
    req.icon = MsgIcon::Stop;
    req.error = true;
    showBox(parent, req);
}
