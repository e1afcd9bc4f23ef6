#include "calltimersdialog.h"

#include "calltimerscontainer.h"
#include "datacounters.h"

CallTimersDialog::CallTimersDialog()
{
    setButtonBoxVisible(false);
    setCentralWidget(new CallTimersContainer(this));
    retranslateUi();
}

CallTimersDialog::~CallTimersDialog() = default;

void CallTimersDialog::retranslateUi()
{
    LoDialog::retranslateUi();
    setTitle(qtTrId(DataCounters::CallTimersTitle));
}
