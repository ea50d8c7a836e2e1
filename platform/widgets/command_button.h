#pragma once

#include <functional>

#include "platform/widgets/controls.h"

class QPushButton;

namespace platform {

// A push button. Its click runs the handler unless another window holds the input.
class CommandButton final : public Control {
  public:
    explicit CommandButton(Container& parent);

    QString caption() const;
    void setCaption(const QString& text);
    bool isEnabled() const;
    void setEnabled(bool enabled);
    void setFont(const FontSpec& font);
    void setBackColor(QRgb colour);
    void onClick(std::function<void()> handler) { onClick_ = std::move(handler); }
    // As if the player clicked it.
    void click();

  private:
    QPushButton* button_;
    std::function<void()> onClick_;
};

}  // namespace platform
