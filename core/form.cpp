#include "core/form.h"

#include "core/game.h"

namespace velmora {

Form::Form(Game& game, QString caption) : game_(game), caption_(std::move(caption)) {}

Form::~Form() {
    delete window_;
}

const platform::Display& Form::display() const {
    return display_;
}

void Form::load() {
    auto& services = game_.services();
    display_ = services.display();
    window_ = new platform::Window(display_, services.clock, *this);
    window_->setCaption(caption_);
    std::unique_ptr<platform::ControlSet> controls = createControls(*window_);
    controls_ = controls.get();
    window_->adopt(std::move(controls));
    game_.flow().note("load", *this);
    Form_Load();
}

void Form::makeVisible() {
    shown_ = true;
    window_->present();
}

void Form::show() {
    if (!isLoaded()) {
        load();
    }
    makeVisible();
    game_.flow().note("show", *this);
    game_.flow().shown(*this);
}

void Form::showModal(std::function<void()> afterClose) {
    if (!isLoaded()) {
        load();
    }
    window_->setWindowModality(Qt::ApplicationModal);
    // Above the screen that opened it, full-screen or not.
    if (const Form* opener = game_.flow().activeForm(); opener != nullptr && opener->isLoaded()) {
        window_->stayAbove(*opener->window());
    }
    makeVisible();
    game_.flow().note("show", *this);
    game_.flow().shownModal(*this, std::move(afterClose));
}

void Form::unload() {
    if (!isLoaded()) {
        return;
    }
    Form_QueryUnload();
    game_.flow().note("close", *this);
    platform::Window* closing = window_;
    window_ = nullptr;
    controls_ = nullptr;
    shown_ = false;
    // The window may be inside one of its own event handlers: it goes once that has returned.
    closing->detach();
    closing->hide();
    closing->deleteLater();
    game_.flow().closed(*this);
}

void Form::activate() {
    window_->bringToFront();
    game_.flow().note("activate", *this);
    Form_Activate();
}

void Form::deliver(const std::function<void()>& handler) {
    game_.flow().deliver(handler);
}

bool Form::acceptsInput() const {
    return game_.flow().acceptsInput(*this);
}

void Form::keyDown(int keyCode, int shift) {
    game_.flow().deliver([this, keyCode, shift] { Form_KeyDown(Int16(keyCode), Int16(shift)); });
}

void Form::closeRequested() {
    game_.flow().deliver([this] { unload(); });
}

void Form::activatedByUser() {
    game_.flow().userActivated(*this);
}

}  // namespace velmora
