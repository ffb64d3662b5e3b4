#pragma once

#include <QPushButton>

namespace orvandel {

// A flat push button that still shows its outline, and a clear focus frame, so that keyboard
// users can see where Tab has put them.
class CWalkButton : public QPushButton {
    Q_OBJECT

public:
    explicit CWalkButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvandel
