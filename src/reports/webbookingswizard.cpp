#include "reports/webbookingswizard.h"

#include "core/modmain.h"
#include "widgets/platform.h"
#include "core/websettingsstore.h"
#include "widgets/wizardpages.h"
#include "reports/bookingformpage.h"
#include "reports/frmwizoconfig_email.h"
#include "reports/frmwizoconfig_provider.h"

#include <QIcon>
#include <QLabel>

WebBookingsAnswer RunWebBookingsWizard(QWidget* parent)
{
    // The wizard's working copies, loaded afresh at every run.
    std::optional<WebSettings> WizOConfig = WebSettingsStore::load();
    if (!WizOConfig) {
        MsgBox(QString::fromLatin1(kNoWebSettingsMessage), vbCritical);
        return WebBookingsAnswer::Cancelled;
    }

    const QIcon picture(QStringLiteral(":/images/wizards/webbookings.svg"));
    WizardRun run{WizOConfig_Screen, WizOConfig_Cancel, 4};
    const WizardResult result =
        RunWizard(run, WizOConfig_ShowWelcome, [&](int page) -> std::unique_ptr<WizPage> {
            std::unique_ptr<WizPage> p;
            switch (page) {
            case 1:
                p = std::make_unique<WizWelcomePage>(
                    run,
                    WelcomeTexts{QStringLiteral("frmWizOConfig_Welcome"),
                                 QStringLiteral("Web Booking Configuration Wizard"),
                                 QStringLiteral("Welcome to the Web Booking Configuration Wizard"),
                                 QStringLiteral("Using this wizard you can configure your website to accept online "
                                                "bookings.")},
                    WizOConfig_ShowWelcome, parent);
                break;
            case 2:
                return std::make_unique<frmWizOConfig_Email>(run, *WizOConfig, parent);
            case 3:
                return std::make_unique<frmWizOConfig_Provider>(run, *WizOConfig, parent);
            default:
                p = std::make_unique<WizCompletePage>(run, QStringLiteral("frmWizOConfig_Complete"), parent);
            }
            if (auto* img = p->findChild<QLabel*>(QStringLiteral("imgWizard")))
                img->setPixmap(picture.pixmap(img->size()));
            return p;
        });
    if (result == WizardResult::Cancelled)
        return WebBookingsAnswer::Cancelled;

    WebSettingsStore::save(*WizOConfig);
    if (MsgBox(QStringLiteral("Would you like to create a booking web page now?"), vbYesNoCancel | vbQuestion) == vbYes)
        return WebBookingsAnswer::CreatePage;
    return WebBookingsAnswer::Saved;
}
