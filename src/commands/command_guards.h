// The open cable, given back on every way out of a command. That nothing else holds the cable
// meanwhile is the command runner's one busy state.
#pragma once

#include "commands/module_context.h"
#include "i18n/catalogue.h"
#include "i18n/own_texts.h"
#include "link/port_control.h"

namespace korv {

// Closes the cable on every way out when it was opened. Given a Ui, a command says when the
// cable did not open because another program holds it: a cable that is simply gone ends a
// command silently, but a held one would look like a module that ignores the click.
class OpenCable {
public:
    explicit OpenCable(link::TBEXFTDI& port, Ui* ui = nullptr)
        : port_(port), result_(link::OpenPort(port)), opened_(result_ == link::PortResult::Ok) {
        if (ui && result_ == link::PortResult::CableInUse)
            ui->ShowMessage(OwnText(OwnTextName::CableInUse, LanguageIndex()));
    }
    ~OpenCable() {
        if (opened_)
            link::ClosePort(port_);
    }
    OpenCable(const OpenCable&) = delete;
    OpenCable& operator=(const OpenCable&) = delete;
    bool Opened() const { return opened_; }

private:
    link::TBEXFTDI& port_;
    link::PortResult result_;
    bool opened_;
};

} // namespace korv
