#pragma once
// The Email Mailing List wizard: welcome, file name and finish pages; at
// Finish it writes the mailing list into the file named on the second page.
// The file name is kept for the next run (WizMailList_Filename).
#include "widgets/wizardpages.h"

class QWidget;

WizardResult RunMailingListWizard(QWidget* parent);
