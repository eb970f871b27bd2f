#include "app/ppracuji.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

WaitingGradient::WaitingGradient(QWidget *parent) : QWidget(parent), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("JvWaitingGradient1"));
    setFixedSize(201, 16);
    m_timer->setInterval(15);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_pos = (m_pos + 2) % (width() + 50);
        update();
    });
    m_timer->start(); // moving from the first moment the window is visible
}

bool WaitingGradient::isRunning() const {
    return m_timer->isActive();
}

void WaitingGradient::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QColor base = palette().color(QPalette::Window);
    const QColor band = palette().color(QPalette::Highlight);
    p.fillRect(rect(), base);
    const int x = m_pos - 50;
    QLinearGradient g(x, 0, x + 50, 0);
    g.setColorAt(0, base);
    g.setColorAt(0.5, band);
    g.setColorAt(1, base);
    p.fillRect(QRect(x, 0, 50, height()), g);
}

Tpracuji::Tpracuji(QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("pracuji"));
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    setMinimumSize(130, 32);
    resize(245, 65);
    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    Label1->setFixedWidth(236);
    Label1->setMinimumHeight(31);
    JvWaitingGradient1 = new WaitingGradient(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addWidget(JvWaitingGradient1, 0, Qt::AlignHCenter);
    setAutoFillBackground(true);
}

BusyScope::BusyScope(QWidget *owner, const QString &text) : m_window(new Tpracuji(owner)) {
    m_window->Label1->setText(text);
    m_window->adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        m_window->move(screen->availableGeometry().center() - m_window->rect().center());
    m_window->show();
    m_window->raise();
    QApplication::processEvents();
}

BusyScope::~BusyScope() {
    m_window->close();
    delete m_window;
}

void BusyScope::setText(const QString &text) {
    m_window->Label1->setText(text);
    m_window->adjustSize();
    QApplication::processEvents();
}
