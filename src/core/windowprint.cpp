#include "core/windowprint.h"

void DoPrint()
{
}

void DoPageSetup()
{
}
