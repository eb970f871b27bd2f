#pragma once
// The busy window: one line of text above a moving band, no buttons, always in front.

#include <QWidget>

class QLabel;
class QTimer;

// The moving band of colour (50 pixels wide, one step every 15 ms).
class WaitingGradient : public QWidget {
    Q_OBJECT
public:
    explicit WaitingGradient(QWidget *parent = nullptr);
    int position() const { return m_pos; }
    bool isRunning() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QTimer *m_timer;
    int m_pos = 0;
};

class Tpracuji : public QWidget {
    Q_OBJECT
public:
    explicit Tpracuji(QWidget *owner);
    QLabel *Label1;
    WaitingGradient *JvWaitingGradient1;
};

// The opener's side: shows the busy window with a text, painted before the work starts, lets
// the text change between steps, and closes it when the scope ends, errors included.
class BusyScope {
public:
    BusyScope(QWidget *owner, const QString &text);
    ~BusyScope();
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

    void setText(const QString &text);
    Tpracuji *window() const { return m_window; }

private:
    Tpracuji *m_window;
};
