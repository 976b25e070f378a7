#pragma once

#include <memory>

#include "document/Preferenze.h"
#include "framework/Application.h"

namespace vx {

// The application object: the identity strings, the preferences file, and the
// start-up that opens the main window, the new/open dialog and the palette.
class App : public fw::Application {
  public:
    using String = fw::String;

    std::shared_ptr<Preferenze> pref;
    String VXBanner;
    String VXVer;
    String VXHead;
    String VxCreator;

    // The identity strings; the maker's notice carries the year given.
    void Identifica(fw::Integer anno);
    // The menu bar and the two commands the application object handles itself.
    void Collega();

    void Open() override;
    bool _AppleInfo_Action();
    bool _AppPreferenze_Action();
};

}  // namespace vx

// The registered application object.
vx::App& App();
