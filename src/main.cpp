// Process entry: the file type, the application object with its menu bar and its
// two menu commands, then the event loop until the program quits.

#include "document/App.h"

namespace {

// The one file type the program declares. Nothing reads it: no dialog filters
// by it and no file is created with it.
struct TipoFile {
    fw::String Name;
    fw::String Extensions;
    fw::String MacType;
    fw::String MacCreator;
};

TipoFile InitFileTypes() {
    TipoFile tipo;
    tipo.Name = "application/text";
    tipo.Extensions = ".1st;.nfo;.readme;readme;.txt";
    tipo.MacType = "TEXT";
    tipo.MacCreator = "text";
    return tipo;
}

}  // namespace

int main() {
    const TipoFile tipoTesto = InitFileTypes();

    vx::App app;
    app.Collega();
    return app.Run();
}
