#pragma once
// A caption drawn as a link ("Email", "Show Advanced Pricing"): a click on it
// presses it, and so does Space or Enter while it has the focus. It takes the
// focus by Tab and by a click as a button does and shows it with a focus
// frame; otherwise it looks as its window's design draws it. A screen reader
// hears it as a link by its caption, and can press it.
#include <QLabel>

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_pressed = false;
};
