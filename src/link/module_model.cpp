#include "link/module_model.h"

#include "link/ftdi.h"

namespace korv::link {

const ModuleModel* ModelOf(const IdentifyReply& reply) {
    for (const ModuleModel* model : {&kFullModule, &kZadaModule})
        if (reply.bytes[0] == static_cast<std::uint8_t>(model->kindLetter))
            return model;
    return nullptr;
}

} // namespace korv::link
