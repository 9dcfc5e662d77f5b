#include "testiguida.h"

namespace qv {

const QStringList &paragrafiGuidaGenerale()
{
    static const QStringList paragrafi = {
        // 1
        QStringLiteral(
            "Quadrivela è un software facile e intuitivo, pensato per le piccole imprese che si avvalgono "
            "di collaboratori. Consente di archiviare i dati anagrafici dei Dipendenti corredati di foto, "
            "acquisita con una webcam o importata da un file JPEG, e di annotare giorno per giorno le "
            "attività svolte da ciascuno, con l'ora di inizio e di fine. Permette inoltre di redigere e "
            "archiviare i contratti di collaborazione e di ottenerne il riepilogo in un qualsiasi "
            "intervallo di tempo, anche in base al tipo di prestazioni svolte."),
        // 2
        QStringLiteral(
            "L'applicazione Anagrafica Dipendenti e Lavori consente di schedare i propri Dipendenti e "
            "collaboratori. Per ciascuno di essi è possibile registrare cognome e nome, cittadinanza, "
            "stipendio, luogo e data di nascita, codice fiscale, partita IVA, indirizzo di residenza con "
            "città, provincia e CAP, qualifiche, familiari a carico, IBAN, recapito telefonico, indirizzo "
            "e-mail ed eventuali note. Le schede in archivio si scorrono una alla volta con le frecce in "
            "alto a destra, tra le quali compare il numero della scheda visualizzata. Il tasto Invio "
            "sposta il cursore sul campo successivo. Con il tasto Tab si raggiungono anche tutti i pulsanti, "
            "nell'ordine in cui compaiono sullo schermo, e si premono con Invio o con la barra spaziatrice. "
            "Ctrl+N equivale a Nuovo, Ctrl+S a Salva, Ctrl+F a Trova, Ctrl+P a Stampa e Ctrl+H a Versioni "
            "precedenti; i tasti PagSu e "
            "PagGiù mostrano la scheda precedente e la successiva, Ctrl+PagSu e Ctrl+PagGiù la prima e "
            "l'ultima; F1 apre la guida ed Esc chiude la schermata. In ogni elenco, il tasto Invio richiama "
            "la voce selezionata come il doppio clic. Ogni pulsante si può premere anche tenendo premuto il "
            "tasto Alt e premendo la lettera sottolineata nella sua scritta; per i pulsanti disegnati la "
            "lettera è indicata nel suggerimento che compare lasciando il mouse fermo sul pulsante (per esempio "
            "«Salva (Ctrl+S, Alt+S)»). Il tasto Esc chiude la finestra in uso e riporta a quella da cui era "
            "stata aperta; se la scheda corrente è stata modificata, il programma chiede prima se salvare le "
            "modifiche."),
        // 3
        QStringLiteral(
            "La scheda anagrafica permette, inoltre, di prendere nota della data di scadenza del contratto "
            "di ciascun Dipendente e dei giorni di preavviso con cui si desidera esserne avvisati. La data "
            "si scrive nel campo Scadenza contratto, per esempio 21/12/2026, 21-12-26 o 21122026 (un anno "
            "di due cifre da 00 a 69 vale dal 2000 al 2069, da 70 a 99 dal 1970 al 1999), oppure si "
            "sceglie da un calendario, che si apre con il tasto F4 o con un doppio clic sul campo. Il "
            "pulsante Scadenze mostra l'elenco dei Dipendenti con contratti in "
            "scadenza entro i giorni di preavviso indicati o già scaduti, mentre il pulsante Scaduti "
            "elenca soltanto quelli con contratti già scaduti. In entrambi gli elenchi, un doppio clic su "
            "una voce richiama la scheda corrispondente. "
            "Le date di nascita si scrivono allo stesso modo: 1/2/85 o 01021985 diventano 01/02/1985. Una data che "
            "non esiste, come 31/02/2024, resta segnata in rosso e la scheda non si salva finché non la si "
            "corregge; la data di nascita può anche restare vuota."),
        // 4
        QStringLiteral(
            "Per inserire una scheda anagrafica in archivio, bisogna fare clic sul pulsante Nuovo, "
            "compilare i campi e premere il pulsante Salva. Sono obbligatori cognome e nome, stipendio, "
            "codice fiscale, data di scadenza del contratto e giorni di preavviso. Per modificare una "
            "scheda già archiviata, è sufficiente richiamarla con le frecce o con il pulsante Trova, "
            "apportare le modifiche e premere di nuovo Salva: i nuovi dati sostituiscono quelli "
            "precedenti. Se si lascia una scheda modificata senza averla salvata, con le frecce, con Nuovo, "
            "Duplica o Esci oppure chiudendo la finestra, il programma chiede \"La scheda corrente è stata "
            "modificata. Salvare le modifiche?\" e propone Salva, Non salvare e Annulla. "
            "Gli importi si possono scrivere con o senza i punti delle migliaia (1.234.567,89 o 1234567,89) e "
            "compaiono ovunque, nelle schede, negli elenchi, nelle stampe e nel contratto, come 1.234.567,89."),
        // 5
        QStringLiteral(
            "Nessuna modifica va persa: prima di ogni salvataggio che cambia una scheda già in archivio, il "
            "programma ne conserva la versione precedente. Il pulsante Versioni precedenti (Ctrl+H) elenca le "
            "versioni della scheda, dalla più recente; per ciascuna indica la data e l'ora in cui un "
            "salvataggio l'ha sostituita e che cosa ha cambiato, campo per campo, con il valore di prima e "
            "quello di dopo (per esempio Note: «da richiamare» → «richiamato»). Scelta una versione, il "
            "pulsante Mostra nella scheda la riporta nei campi senza toccare l'archivio: premendo Salva la si "
            "rimette in archivio, e la versione che sostituisce viene conservata a sua volta, così che anche "
            "questo passo si possa annullare. Per ogni scheda si conservano le ultime 50 versioni, un numero "
            "che si può cambiare nella finestra Copia di sicurezza."),
        // 6
        QStringLiteral(
            "Per allegare una foto del Dipendente scattata con la webcam, bisogna fare clic sul pulsante "
            "Acquisisci foto e, nella finestra che si apre, premere Accendi WebCam. Inquadrato il "
            "soggetto, il pulsante Acquisisci foto scatta l'istantanea, che può anche essere conservata "
            "con il pulsante Salva foto su disco. Il pulsante Importa foto acquisita inserisce "
            "l'immagine nella scheda e chiude la finestra. In alternativa, il pulsante Carica foto "
            "permette di importare una foto già esistente in formato JPEG o Bitmap."),
        // 7
        QStringLiteral(
            "La foto del lavoratore viene ridotta in scala automaticamente per adattarsi al riquadro "
            "della scheda, senza alterarne le proporzioni. Per vederla ingrandita basta fare clic "
            "sull'icona della lente; un clic sulla foto chiude l'ingrandimento. L'icona del dischetto "
            "salva la foto in un file JPEG a scelta, mentre l'icona della gomma la toglie dalla scheda. "
            "La foto viene memorizzata insieme alla scheda ogni volta che si preme Salva e ricompare "
            "automaticamente quando la scheda viene richiamata."),
        // 8
        QStringLiteral(
            "A ciascuna scheda è possibile allegare non solo una foto, ma anche fino a tre file di "
            "qualsiasi genere, per esempio la copia di un documento d'identità o di un contratto firmato, "
            "ciascuno con una breve descrizione. Si fa clic sul pulsante Allegati, si sceglie ogni file "
            "con il pulsante Sfoglia... e, al termine, si preme Applica e chiudi e poi Salva; il pulsante "
            "Apri consente di aprire in qualsiasi momento il file allegato. I file non vengono copiati: il "
            "programma ne memorizza soltanto il percorso, perciò non vanno spostati né rinominati."),
        // 9
        QStringLiteral(
            "Il pulsante Duplica serve a registrare più velocemente una nuova scheda simile a una già "
            "presente in archivio. Dopo aver richiamato la scheda da copiare e premuto Duplica, la "
            "schermata conserva tutti i dati ma si predispone per una nuova scheda, senza foto e senza "
            "file allegati. Basta quindi apportare le modifiche necessarie e premere Salva: la copia viene "
            "aggiunta all'archivio, mentre la scheda originale resta invariata. Una scheda non ancora "
            "salvata non può essere duplicata."),
        // 10
        QStringLiteral(
            "Appositi pulsanti consentono di controllare la validità del codice fiscale, della partita IVA "
            "e dell'IBAN: basta fare clic sull'icona con il segno di spunta accanto al campo. Il controllo "
            "della partita IVA indica anche l'ufficio provinciale che l'ha attribuita, mentre un codice "
            "fiscale composto di sole cifre viene verificato come partita IVA. L'icona della busta, "
            "accanto al campo E-mail, apre il programma di posta elettronica con un nuovo messaggio già "
            "indirizzato al Dipendente. "
            "Al salvataggio il programma controlla il codice fiscale: se non può essere un codice fiscale "
            "(lunghezza, lettere al posto di cifre, carattere di controllo) ne spiega il motivo e chiede se "
            "salvare comunque, e segnala un codice fiscale già presente in un'altra scheda, indicandone il "
            "numero e il nome. Come luogo di nascita valgono anche i nomi d'uso e bilingui (Reggio Emilia, "
            "Bozen, Aoste, Stati Uniti, USA); per Fiume, Pola, Zara e gli altri comuni italiani fino al 1947 "
            "chi vi è nato prima indica il comune, chi vi è nato dopo lo stato estero di oggi."),
        // 11
        QStringLiteral(
            "Il pulsante Trova permette di trovare le schede dei Dipendenti in archivio: si compilano uno "
            "o più campi di ricerca, per esempio una parte del nome, la città di residenza o le "
            "qualifiche, e si preme il pulsante Cerca. Le lettere maiuscole e minuscole sono equivalenti e "
            "vengono elencate soltanto le schede che soddisfano tutti i criteri indicati. Nell'elenco dei "
            "risultati, il pulsante Trova cerca una parola tra le voci e il pulsante Stampa stampa "
            "l'elenco; un doppio clic su una voce richiama la scheda desiderata."),
        // 12
        QStringLiteral(
            "Il pulsante Lavori svolti apre automaticamente un foglio di Excel abbinato al Dipendente, in "
            "cui annotare giorno per giorno la data, l'ora di inizio e di fine, l'attività svolta, il "
            "totale delle ore ed eventuali note. Il foglio viene creato la prima volta che lo si richiede, "
            "in formato .xlsx e con ogni colonna già predisposta per date, orari e ore, e si apre con il "
            "pulsante Apri file .XLS; in seguito lo si può riaprire ogni volta che si desidera per aggiornare "
            "i dati, ricordandosi di salvarlo prima di chiuderlo. Un foglio .XLS creato in precedenza "
            "continua ad aprirsi come prima. Il foglio può essere abbinato soltanto a una scheda già salvata "
            "in archivio."),
        // 13
        QStringLiteral(
            "La scheda di ciascun Dipendente può essere visualizzata in anteprima con il pulsante "
            "Anteprima e stampata su un foglio A4 con il pulsante Stampa, con o senza la foto. Vengono "
            "stampati i dati così come appaiono sullo schermo, anche se la scheda non è ancora stata "
            "salvata. Il pulsante Esporta, infine, trasferisce l'intero archivio in un foglio di Microsoft "
            "Excel: nella finestra che si apre, l'icona di Excel crea il file Dipendenti.xls, in formato .XLS "
            "come in passato, mentre l'icona accanto, Esporta in Excel (.xlsx), crea il file Dipendenti.xlsx, "
            "in cui importi e date sono numeri e date pronti per i calcoli, per esempio la somma degli "
            "stipendi, e codici fiscali, partite IVA, IBAN, CAP e numeri di telefono restano testo con i loro "
            "zeri iniziali."),
        // 14
        QStringLiteral(
            "L'applicazione Archivio Contratti serve a redigere, stampare e archiviare i contratti di "
            "lavoro stipulati con i propri Dipendenti. Vi si accede dal pulsante Archivio contratti del "
            "menu principale: i contratti di ciascun anno solare sono raccolti in un archivio distinto. "
            "Dallo stesso ambiente è possibile visualizzare grafici tridimensionali che mostrano quanti "
            "contratti sono stati registrati in ciascun mese dell'anno."),
        // 15
        QStringLiteral(
            "Il tipo di contratto di lavoro gestito dal software è quello di collaborazione coordinata e "
            "continuativa, previsto dall'art. 409 del Codice di procedura civile e riconducibile al "
            "contratto d'opera di cui all'art. 2222 del Codice civile. Il testo del contratto riporta i "
            "dati del Committente e del Collaboratore, le prestazioni da svolgere, la sede di lavoro, la "
            "durata con le date di decorrenza e di scadenza, il compenso mensile lordo e il foro "
            "competente in caso di controversia. Le altre clausole sono già predisposte dal programma."),
        // 16
        QStringLiteral(
            "Per registrare un nuovo contratto in archivio, bisogna selezionare un anno solare, "
            "digitandone le quattro cifre, e premere Apri. Nella schermata che appare si fa clic su Nuovo, "
            "si compilano i campi e si preme Salva. Sono obbligatori data e luogo di stipula, "
            "denominazione della Ditta, cognome e nome e codice fiscale del Dipendente, data di decorrenza "
            "e data di scadenza. Per modificare un contratto, lo si richiama con le frecce o con il "
            "pulsante Trova, si apportano le modifiche e si preme di nuovo Salva. Anche qui il tasto Tab "
            "raggiunge tutti i pulsanti e valgono i tasti della scheda anagrafica: Ctrl+N, Ctrl+S, Ctrl+F, "
            "Ctrl+H, PagSu e PagGiù, Ctrl+PagSu e Ctrl+PagGiù, F1 ed Esc."),
        // 17
        QStringLiteral(
            "Anche di ogni contratto il programma conserva le versioni precedenti. Il pulsante Versioni "
            "precedenti (Ctrl+H) le elenca dalla più recente, ciascuna con la data e l'ora in cui un "
            "salvataggio l'ha sostituita e con i campi che quel salvataggio ha cambiato, il valore di prima e "
            "quello di dopo. La versione scelta con Mostra nella scheda torna nella schermata e, premendo Salva, "
            "di nuovo in archivio; un contratto lasciato con modifiche non salvate fa chiedere se salvarle."),
        // 18
        QStringLiteral(
            "Si tenga presente che la data di stipula del contratto viene inserita in automatico e "
            "corrisponde al giorno in cui si crea la scheda. Per cambiarla, come per le date di decorrenza "
            "e di scadenza, basta scrivere la data nel campo, per esempio 21/12/2026, 21-12-26 o "
            "21122026, e premere Invio; in alternativa il tasto F4 o un doppio clic sul campo aprono un "
            "calendario in cui scegliere il giorno desiderato e premere Importa. Una data che non esiste, "
            "come il 31/02/2026, resta segnata in rosso e il contratto non si salva finché non viene "
            "corretta. Il tasto Canc o il tasto Backspace su una data già inserita, oppure l'icona della "
            "gomma accanto al campo, cancellano la data."),
        // 19
        QStringLiteral(
            "Il luogo di stipula, il foro competente in caso di controversia giudiziaria e i dati della "
            "propria ditta (denominazione, sede legale, partita IVA, iscrizione al Registro delle imprese, "
            "legale rappresentante e attività esercitata) vengono memorizzati ogni volta che si esce dalla "
            "schermata dei contratti. Alla successiva apertura sono quindi già compilati e non occorre "
            "digitarli di nuovo, ferma restando la possibilità di modificarli in qualsiasi momento."),
        // 20
        QStringLiteral(
            "I dati del Dipendente possono essere o digitati sul momento oppure importati dall'archivio "
            "anagrafico con il pulsante Importa. Nella finestra di ricerca che si apre si compilano uno o "
            "più campi, si preme Cerca e si fa doppio clic sul Dipendente desiderato: nome, cittadinanza, "
            "stipendio, luogo e data di nascita, codice fiscale, indirizzo, recapito telefonico, "
            "qualifiche e IBAN vengono copiati automaticamente nel contratto. Gli altri dati del contratto "
            "restano invariati."),
        // 21
        QStringLiteral(
            "Nel caso in cui il contratto venisse rescisso, è sufficiente spuntare la casella Contratto "
            "rescisso, indicare il motivo della rescissione nell'apposito campo e premere Salva. Il "
            "pulsante Validi mostra l'elenco dei contratti non rescissi e ancora in corso di validità, "
            "mentre il pulsante Rescissi elenca quelli scaduti o rescissi. Entrambi gli elenchi possono "
            "essere stampati e un doppio clic su una voce richiama il contratto corrispondente."),
        // 22
        QStringLiteral(
            "Il pulsante Duplica serve a registrare un nuovo contratto duplicando i dati di un contratto "
            "già in archivio, per esempio per rinnovarlo alla scadenza. Dopo aver richiamato il contratto "
            "e premuto Duplica, si aggiornano i dati che cambiano, come le date di stipula, di decorrenza "
            "e di scadenza, e si preme Salva: il nuovo contratto viene aggiunto all'archivio senza "
            "modificare l'originale. I file allegati non vengono copiati nel duplicato."),
        // 23
        QStringLiteral(
            "A ciascun contratto è possibile allegare file esterni di qualsiasi genere, per esempio la "
            "copia firmata del contratto, fino a un massimo di tre, ciascuno con la propria descrizione. "
            "Basta premere il pulsante Allegati, scegliere i file con il pulsante Sfoglia..., premere "
            "Applica e chiudi e infine salvare il contratto con Salva. Nella stessa finestra, il pulsante "
            "Apri apre il file allegato con il programma predefinito del computer."),
        // 24
        QStringLiteral(
            "Il pulsante Trova permette di trovare le schede dei contratti di lavoro in archivio relative "
            "all'anno aperto. Si compilano uno o più campi, per esempio il nome del Dipendente, la data di "
            "stipula o le prestazioni da svolgere, e si preme Cerca: vengono elencati i contratti che "
            "soddisfano tutti i criteri. L'elenco può essere stampato con il pulsante Stampa e un doppio "
            "clic su una voce richiama il contratto nella schermata principale."),
        // 25
        QStringLiteral(
            "Il pulsante Esporta in .RTF serve a esportare il testo del contratto in un file in formato "
            "Rich Text Format, leggibile da qualsiasi programma di videoscrittura, come Microsoft Word o "
            "LibreOffice Writer. Premendo Esporta e stampa, il programma compone il contratto completo con "
            "i dati presenti sullo schermo e propone di aprirlo, così da poterlo personalizzare e "
            "stampare. Il file Contratto_Collaborazione.rtf viene sostituito a ogni esportazione: per "
            "conservarne una copia, occorre salvarlo con un altro nome. Se il luogo di nascita è uno Stato "
            "estero, il contratto scrive «nato in» (per esempio «nata in Germania»). La finestra si chiude da "
            "sola dopo la creazione del documento, anche se si sceglie di non aprirlo subito."),
        // 26
        QStringLiteral(
            "L'archivio contenente tutti i contratti stipulati in un anno solare può essere esportato in "
            "un file di Excel con il pulsante Esporta. Nella finestra che si apre basta fare clic "
            "sull'icona di Excel: il file Contratti_Lavoro.xls viene creato all'istante e può essere "
            "aperto subito. L'icona accanto, Esporta in Excel (.xlsx), crea invece il file "
            "Contratti_Lavoro.xlsx, in cui compensi e date sono numeri e date pronti per i calcoli e i codici "
            "restano testo. È un modo pratico per elaborare i dati con un foglio di calcolo o per "
            "condividerli con chiunque non abbia installato Quadrivela sul proprio computer."),
        // 27
        QStringLiteral(
            "L'applicazione Statistiche Contratti consente di visualizzare e stampare grafici statistici "
            "sui contratti registrati in un anno solare. Vi si accede dall'ambiente Archivio contratti, "
            "premendo il pulsante Apri della sezione Statistiche contratti. Dopo aver indicato l'anno di "
            "interesse, si preme di nuovo Apri: il programma conta i contratti stipulati in ciascun mese e "
            "ne mostra il numero in un grafico."),
        // 28
        QStringLiteral(
            "Il grafico che appare è costituito da dodici barre tridimensionali, ognuna corrispondente a "
            "un mese dell'anno solare: più la barra è alta, più numerosi sono i contratti stipulati in "
            "quel mese. Con il pulsante Visualizza grafico a torta gli stessi dati vengono rappresentati "
            "in un grafico a torta, mentre il pulsante Visualizza grafico a barre ripristina le barre. Il "
            "pulsante Stampa grafico stampa su carta il grafico visualizzato in quel momento."),
        // 29
        QStringLiteral(
            "L'applicazione Riepilogo Contratti permette di visualizzare il riepilogo dei contratti "
            "stipulati in un qualsiasi intervallo di tempo all'interno di un anno solare. Basta indicare "
            "l'anno, eventualmente il tipo di prestazioni svolte, il giorno e il mese di inizio e di fine "
            "dell'intervallo, e premere Visualizza riepilogo. Si ottiene l'elenco dei contratti stipulati "
            "nel periodo, con le date di decorrenza e di scadenza, il recapito telefonico e la rata del "
            "compenso, insieme al totale dei contratti riportato in calce."),
        // 30
        QStringLiteral(
            "Il riepilogo dei contratti può essere stampato su carta facendo clic sull'apposito pulsante."),
        // 31
        QStringLiteral(
            "Quadrivela funziona anche su chiavetta USB. Il programma, gli archivi, le foto, i fogli di "
            "lavoro e le impostazioni si trovano tutti in un'unica cartella, che può essere spostata o "
            "copiata così com'è, anche su un altro computer, a programma chiuso. Per salvare i dati, il "
            "programma deve poter scrivere nella propria cartella. Se la stessa cartella è aperta da due "
            "copie del programma, per esempio da due computer in rete, ogni salvataggio attende il proprio "
            "turno e nessuna scheda va persa. In caso di problemi si può inviare all'assistenza il registro "
            "degli errori, il file Quadrivela.log nella cartella del programma: vi sono annotati soltanto i "
            "file e gli errori, mai i dati delle schede."),
        // 32
        QStringLiteral(
            "Per mettere al sicuro i dati si usa il pulsante Copia di sicurezza del menu principale "
            "(Ctrl+B), non la copia a mano della cartella. Nella finestra che si apre si sceglie con "
            "Sfoglia... la cartella in cui salvare la copia, per esempio su una chiavetta USB o su un altro "
            "disco, e si preme Crea la copia: il programma scrive un solo file, "
            "Quadrivela-copia-AAAA-MM-GG-hhmm.zip, con l'archivio dei Dipendenti, gli archivi dei contratti "
            "di ogni anno con le versioni precedenti delle schede, le foto, i fogli dei lavori svolti, le "
            "esportazioni, il documento del contratto, i file allegati alle schede, le impostazioni e la "
            "password, poi lo rilegge e lo verifica prima di dire "
            "che la copia è riuscita. La copia si può fare anche mentre un'altra copia del programma lavora "
            "sulla stessa cartella. Nella stessa finestra si stabilisce dopo quanti giorni ricordare la copia "
            "(7 se non si cambia): trascorsi quei giorni, il menu principale lo ricorda e un clic sul "
            "promemoria fa subito la copia."),
        // 33
        QStringLiteral(
            "Il pulsante Ripristina da una copia (Ctrl+R) riporta i dati com'erano in una copia di "
            "sicurezza. Il programma legge e verifica la copia scelta, rifiuta senza toccare nulla una copia "
            "danneggiata o che non è di Quadrivela, come un file .zip con file non elencati nella sua "
            "descrizione, mostra che cosa contiene a confronto con i dati attuali "
            "e chiede conferma. Nulla viene cancellato: i dati attuali vengono spostati nella cartella "
            "\"Dati prima del ripristino\", con la data e l'ora, dentro la cartella del programma. La password "
            "resta quella in uso e restano anche la cartella e la data dell'ultima copia di sicurezza; tutte le "
            "altre impostazioni vengono dalla copia. Un file allegato torna al suo posto soltanto dove non "
            "c'è già un file. Il ripristino non è possibile se la cartella è in sola lettura o se un'altra copia del programma la sta "
            "usando. Se un ripristino viene interrotto, per esempio da una mancanza di corrente, all'avvio "
            "successivo il programma lo completa oppure rimette i dati com'erano e lo dice con un messaggio."),
        // 34
        QStringLiteral(
            "L'accesso al software è protetto da una password, la stessa per tutti coloro che usano il "
            "programma. Per il primo accesso dopo ogni installazione occorre digitare la password "
            "\"mirtillobianco\" (senza le virgolette) e premere OK; le lettere maiuscole e minuscole sono "
            "equivalenti. Per cambiarla, basta fare clic sul pulsante Cambia Password della schermata di "
            "accesso, digitare la vecchia password, la nuova e la sua conferma e premere OK. Si consiglia "
            "di scegliere subito una password personale."),
        // 35
        QStringLiteral(
            "Quadrivela è quindi lo strumento ideale per le piccole imprese che desiderano tenere in "
            "ordine, in un unico programma, l'anagrafica dei propri collaboratori, le attività svolte, i "
            "contratti e le relative scadenze. Tutti i dati restano sul proprio computer, senza server né "
            "abbonamenti, e le principali schermate offrono una guida sensibile al contesto, richiamabile "
            "con un clic. Buon lavoro con Quadrivela!"),
    };
    return paragrafi;
}

QStringList paragrafiGuidaAnagrafica()
{
    return paragrafiGuidaGenerale().mid(1, 12);
}

QStringList paragrafiGuidaContratti()
{
    return paragrafiGuidaGenerale().mid(13, 13);
}

const QStringList &paragrafiGuidaStatistiche()
{
    static const QStringList paragrafi = {
        QStringLiteral(
            "L'applicazione Statistiche Contratti consente di visualizzare e stampare grafici statistici "
            "sui contratti registrati nell'anno solare selezionato. I contratti vengono contati mese per "
            "mese in base alla data di stipula e il risultato può essere rappresentato a scelta con un "
            "grafico a barre o con un grafico a torta, entrambi tridimensionali."),
        QStringLiteral(
            "La prima operazione da eseguire per visualizzare i grafici statistici è quella di indicare "
            "l'anno solare di interesse. A questo punto, facendo clic sul pulsante Apri, il programma "
            "legge l'archivio dei contratti di quell'anno, conta quelli stipulati in ciascun mese e mostra "
            "subito il grafico. L'anno va scritto con quattro cifre."),
        QStringLiteral(
            "Il grafico che appare è costituito da dodici barre tridimensionali, ognuna corrispondente a "
            "un mese dell'anno solare. Più la barra è alta, più i contratti stipulati in quel mese sono "
            "numerosi; sopra ciascuna barra è riportato il numero esatto e la legenda in basso ripete i "
            "dati di ogni mese. Il pulsante Visualizza grafico a torta mostra gli stessi dati come spicchi "
            "di una torta, mentre il pulsante Visualizza grafico a barre ripristina le barre."),
        QStringLiteral(
            "Il pulsante Stampa grafico consente di ottenere su carta il grafico visualizzato in quel "
            "momento unitamente ai dati relativi ai contratti registrati mensilmente. Il programma chiede "
            "conferma e il numero di copie da stampare, poi apre la finestra di stampa, dove è possibile "
            "scegliere la stampante; il grafico viene stampato su un foglio orientato in orizzontale."),
    };
    return paragrafi;
}

QStringList paragrafiGuidaRiepilogo()
{
    return {
        QStringLiteral("L'applicazione Riepilogo Contratti permette di visualizzare il riepilogo dei contratti "
                       "stipulati in un qualsiasi intervallo di tempo selezionato all'interno dell'anno solare."),
        QStringLiteral("A tal fine è sufficiente indicare l'anno solare di interesse e il tipo di prestazioni. "
                       "Quest'ultimo può eventualmente essere omesso se si desidera ottenere il riepilogo dei "
                       "contratti a prescindere dalle prestazioni svolte. Bisogna quindi specificare l'intervallo "
                       "di tempo relativo al periodo da riepilogare e, infine, premere il pulsante Visualizza "
                       "riepilogo."),
        QStringLiteral("A questo punto, si ottiene l'elenco di tutti i contratti registrati nell'arco di tempo "
                       "selezionato unitamente al totale visualizzato in calce."),
        // The same words as the general guide's paragraph on printing the summary.
        paragrafiGuidaGenerale().at(29),
    };
}

namespace {

// What both export screens say, of employee cards or of a year's contracts.
QStringList paragrafiGuidaEsporta(const QString &cosa, const QString &file, const QString &numeri,
                                  const QString &inPiu)
{
    return {
        QStringLiteral("Il pulsante Esporta archivio consente di esportare %1 in un foglio di lavoro di Microsoft "
                       "Excel, che potrà essere aperto con qualsiasi software in grado di gestire i fogli di calcolo "
                       "(ad esempio, Open Office, Libre Office o Microsoft Office).")
            .arg(cosa),
        QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic su una delle "
                       "due icone di Excel. La prima crea in tempo reale il file %1.xls, in formato .XLS come in "
                       "passato; la seconda, Esporta in Excel (.xlsx), crea il file %1.xlsx, in cui %2 sono numeri e "
                       "le date sono date, pronti per i calcoli, mentre i codici restano testo con i loro zeri "
                       "iniziali%3. In entrambi i casi il file potrà essere aperto immediatamente rispondendo "
                       "affermativamente al messaggio di domanda che appare, che indica il nome del file e la "
                       "cartella in cui è stato salvato. Il file in formato .XLSX è già pronto per la stampa: "
                       "pagina A4 orizzontale, tutte le colonne in una sola pagina di larghezza e la riga di "
                       "intestazione ripetuta in cima a ogni pagina. Nella griglia i tasti freccia spostano da una "
                       "cella all'altra, mentre il tasto Tab porta ai pulsanti.")
            .arg(file, numeri, inPiu),
        QStringLiteral("Se le schede sono molte, una finestra mostra l'avanzamento dell'esportazione e il pulsante "
                       "Annulla la interrompe lasciando com'era il file precedente."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
                       "qualsiasi."),
    };
}

} // namespace

QStringList paragrafiGuidaEsportaDipendenti()
{
    return paragrafiGuidaEsporta(QStringLiteral("le schede anagrafiche dei Dipendenti"), QStringLiteral("Dipendenti"),
                                 QStringLiteral("gli stipendi"),
                                 QStringLiteral(" (codice fiscale, partita IVA, IBAN, CAP e recapito telefonico); vi "
                                                "compaiono anche i giorni di preavviso"));
}

QStringList paragrafiGuidaEsportaContratti()
{
    return paragrafiGuidaEsporta(QStringLiteral("tutti i contratti registrati in un anno solare"),
                                 QStringLiteral("Contratti_Lavoro"), QStringLiteral("le rate dei compensi"),
                                 QStringLiteral(" (partita IVA, codice fiscale, IBAN, CAP e recapito telefonico)"));
}

QString testoGuida(const QStringList &paragrafi)
{
    return paragrafi.join(QStringLiteral("\r\n\r\n"));
}

} // namespace qv
