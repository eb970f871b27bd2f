#pragma once
// Application-wide hot keys: while switched on, the keys reach their handlers whichever widget
// of the program has the focus. A window switches them on when shown, off when closed and off
// while a sub-window that uses the same keys is open.

#include <QKeyCombination>
#include <QObject>
#include <functional>
#include <vector>

class HotKeys : public QObject {
    Q_OBJECT
public:
    explicit HotKeys(QObject *parent = nullptr);
    ~HotKeys() override;

    void add(QKeyCombination key, std::function<void()> handler);
    void setActive(bool active);
    bool isActive() const { return m_active; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const std::function<void()> *handlerFor(QKeyCombination key) const;
    std::vector<std::pair<QKeyCombination, std::function<void()>>> m_keys;
    bool m_active = false;
};
