#include "app/render_report.h"

#include "commands/card_file_append.h"
#include "files/card_file_open.h"
#include "files/file_bytes.h"
#include "i18n/catalogue.h"
#include "ui/print/register_printing.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace korv::app {

int RenderReport(int argc, char** argv) {
    if (argc < 4 || argv[2][0] == '-' || argv[3][0] == '-') {
        std::fprintf(stderr, "usage: korv-render --report IN OUT.pdf [--lang N] [--zone Z]\n");
        return kReportUsage;
    }
    const std::string in = argv[2];
    const char* out = argv[3];
    int language = English, zone = 1;
    for (int i = 4; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--lang") && i + 1 < argc)
            language = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--zone") && i + 1 < argc)
            zone = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "korv-render: unknown option %s\n", argv[i]);
            return kReportUsage;
        }
    }
    if (language < 0 || language >= kLanguageCount || !ValidZone(zone)) {
        std::fprintf(stderr, "korv-render: --lang is 0..5, --zone 1..4\n");
        return kReportUsage;
    }

    const FileBytes file = ReadCardFileBytes(in);
    if (!file.ok) {
        std::fprintf(stderr, "korv-render: cannot open file \"%s\". %s\n", in.c_str(),
                     file.error.c_str());
        return kReportNoCardFile;
    }
    auto tablica = std::make_unique<TTablica>();
    const OpenResult loaded = LoadAnyCardFile(file.size, file.bytes, *tablica, zone);
    if (const auto wrong = WrongFileNotice(loaded.kind, file.size, English);
        wrong || !loaded.loaded) {
        std::fprintf(stderr, "korv-render: %s: %s\n", in.c_str(),
                     wrong ? wrong->c_str() : "not loaded");
        return kReportNoCardFile;
    }

    // Fonts need a platform, and there is no display to rely on.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    SetLanguageIndex(language);
    const ui::RegisterReportInput input{tablica.get(), in, ui::ReportDateText(), language};
    if (!ui::WriteRegisterReportPdf(QString::fromLocal8Bit(out), input)) {
        std::fprintf(stderr, "korv-render: cannot write %s\n", out);
        return kReportNotWritten;
    }
    return kReportWritten;
}

} // namespace korv::app
