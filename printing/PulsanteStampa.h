#pragma once

// The print button's flow, from the question asked to the message shown.

#include "printing/EsitiStampa.h"
#include "printing/OpzioniStampa.h"
#include "printing/ServizioMessaggi.h"
#include "printing/StampanteTesto.h"
#include "systems/Variabili.h"

namespace elencario {

// The print button: refuses when nothing is loaded, asks for confirmation, checks the options
// and the printer, then sends the whole listing. Every refusal or failure is shown through
// `messaggi`; the state is only read.
EsitoStampa StampaElencario(const VARIABILI& v, const OpzioniStampa& opzioni,
                            ServizioMessaggi& messaggi, StampanteTesto& stampante);

}  // namespace elencario
