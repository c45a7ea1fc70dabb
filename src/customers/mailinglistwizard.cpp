#include "customers/mailinglistwizard.h"

#include "core/modmain.h"
#include "customers/frmwizmaillist_file.h"
#include "customers/mailinglist.h"

#include <QIcon>
#include <QLabel>

WizardResult RunMailingListWizard(QWidget* parent)
{
    const QIcon picture(QStringLiteral(":/images/wizards/mailinglist.svg"));
    WizardRun run{WizOConfig_Screen, WizOConfig_Cancel, 3};
    const WizardResult result =
        RunWizard(run, WizMailList_ShowWelcome, [&](int page) -> std::unique_ptr<WizPage> {
            std::unique_ptr<WizPage> p;
            switch (page) {
            case 1:
                p = std::make_unique<WizWelcomePage>(
                    run,
                    WelcomeTexts{QStringLiteral("frmWizMailList_Welcome"), QStringLiteral("Email Mailing List Wizard"),
                                 QStringLiteral("Welcome to the Email Mailing List Wizard"),
                                 QStringLiteral("Using this wizard you can create a mailing list of your customers.")},
                    WizMailList_ShowWelcome, parent);
                break;
            case 2:
                return std::make_unique<frmWizMailList_File>(run, WizMailList_Filename, parent);
            default:
                p = std::make_unique<WizCompletePage>(run, QStringLiteral("frmWizMailList_Complete"), parent);
            }
            if (auto* img = p->findChild<QLabel*>(QStringLiteral("imgWizard")))
                img->setPixmap(picture.pixmap(img->size()));
            return p;
        });
    if (result == WizardResult::Finished)
        WriteMailingList(WizMailList_Filename);
    return result;
}
