#include "StartUp.h"

#include "TestSupport.h"
#include "app/frmSchreiben.h"
#include "dialogs/frmAbout.h"
#include "platform/SettingsStore.h"

#include <QPushButton>
#include <QTest>

namespace TestSupport {

bool startUp(frmSchreiben& window, bool tipsAtStart) {
    {
        SettingsStore store(QStringLiteral("Quendal1_1"));
        store.save(QStringLiteral("Optionen"), QStringLiteral("CheckLoadTips"),
                   tipsAtStart ? QStringLiteral("True") : QStringLiteral("False"));
        store.flush();
    }
    bool aboutShown = false;
    onModal([&](QWidget* modal) {
        auto* about = qobject_cast<frmAbout*>(modal);
        if (!about)
            return; // a failing start shows its message instead; the test handles that
        aboutShown = true;
        about->cmdOK->click();
    });
    const bool started = window.Form_Load();
    return started && aboutShown;
}

} // namespace TestSupport
