#include "identificativi.h"

#include "core/testo.h"

#include <array>
#include <optional>

namespace qv {

namespace {

// Values of the characters '0'..'Z' in the codice fiscale check: digits, then the
// seven signs between '9' and 'A' (worth nothing), then the letters A-Z.
constexpr std::array<int, 43> kDispari = {
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21,
    0, 0, 0, 0, 0, 0, 0,
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23,
};
constexpr std::array<int, 43> kPari = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9,
    0, 0, 0, 0, 0, 0, 0,
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
};

struct Ufficio
{
    QStringView codice;
    QStringView nome;
};

// The provincial VAT offices by the code found at digits 8-10 of a partita IVA.
constexpr std::array<Ufficio, 104> kUffici = {{
    {u"001", u"Torino"},          {u"002", u"Vercelli"},           {u"003", u"Novara"},
    {u"004", u"Cuneo"},           {u"005", u"Asti"},               {u"006", u"Alessandria"},
    {u"007", u"Aosta"},           {u"008", u"Imperia"},            {u"009", u"Savona"},
    {u"010", u"Genova 1"},        {u"011", u"La Spezia"},          {u"012", u"Varese"},
    {u"013", u"Como"},            {u"014", u"Sondrio"},            {u"015", u"Milano 1"},
    {u"016", u"Bergamo"},         {u"017", u"Brescia 1"},          {u"018", u"Pavia"},
    {u"019", u"Cremona"},         {u"020", u"Mantova"},            {u"021", u"Bolzano"},
    {u"022", u"Trento"},          {u"023", u"Verona"},             {u"024", u"Vicenza"},
    {u"025", u"Belluno"},         {u"026", u"Treviso"},            {u"027", u"Venezia"},
    {u"028", u"Padova"},          {u"029", u"Rovigo"},             {u"030", u"Udine"},
    {u"031", u"Gorizia"},         {u"032", u"Trieste"},            {u"033", u"Piacenza"},
    {u"034", u"Parma"},           {u"035", u"Reggio Emilia"},      {u"036", u"Modena"},
    {u"037", u"Bologna 1"},       {u"038", u"Ferrara"},            {u"039", u"Ravenna"},
    {u"040", u"Forlì"},           {u"041", u"Pesaro"},             {u"042", u"Ancona"},
    {u"043", u"Macerata"},        {u"044", u"Ascoli Piceno"},      {u"045", u"Massa Carrara"},
    {u"046", u"Lucca"},           {u"047", u"Pistoia"},            {u"048", u"Firenze 1"},
    {u"049", u"Livorno"},         {u"050", u"Pisa"},               {u"051", u"Arezzo"},
    {u"052", u"Siena"},           {u"053", u"Grosseto"},           {u"054", u"Perugia"},
    {u"055", u"Terni"},           {u"056", u"Viterbo"},            {u"057", u"Rieti"},
    {u"058", u"Roma 1"},          {u"059", u"Latina"},             {u"060", u"Frosinone"},
    {u"061", u"Caserta"},         {u"062", u"Benevento"},          {u"063", u"Napoli 1"},
    {u"064", u"Avellino"},        {u"065", u"Salerno"},            {u"066", u"Aquila"},
    {u"067", u"Teramo"},          {u"068", u"Pescara"},            {u"069", u"Chieti"},
    {u"070", u"Campobasso"},      {u"071", u"Foggia"},             {u"072", u"Bari"},
    {u"073", u"Taranto"},         {u"074", u"Brindisi"},           {u"075", u"Lecce"},
    {u"076", u"Potenza"},         {u"077", u"Matera"},             {u"078", u"Cosenza"},
    {u"079", u"Catanzaro"},       {u"080", u"Reggio Calabria"},    {u"081", u"Trapani"},
    {u"082", u"Palermo"},         {u"083", u"Messina"},            {u"084", u"Agrigento"},
    {u"085", u"Caltanissetta"},   {u"086", u"Enna"},               {u"087", u"Catania"},
    {u"088", u"Ragusa"},          {u"089", u"Siracusa"},           {u"090", u"Sassari"},
    {u"091", u"Nuoro"},           {u"092", u"Cagliari"},           {u"093", u"Pordenone"},
    {u"094", u"Isernia"},         {u"095", u"Oristano"},           {u"096", u"Monza (Milano 2)"},
    {u"097", u"Prato (Firenze 2)"}, {u"098", u"Brescia 2"},        {u"099", u"Chiavari (Genova 2)"},
    {u"100", u"Roma 2"},          {u"101", u"Bologna 2"},          {u"102", u"Napoli 2"},
    {u"120", u"Bologna 2"},       {u"121", u"Napoli 2"},
}};

// The value of a short run of digits 0-9; nothing when any other character is in it.
std::optional<int> valoreCifre(QStringView s)
{
    int valore = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        valore = valore * 10 + (c.unicode() - u'0');
    }
    return valore;
}

} // namespace

QChar CarattereControlloCodFisc(QStringView primi15)
{
    if (primi15.size() < LunghezzaCodFisc - 1)
        return QChar();
    int somma = 0;
    for (qsizetype i = 0; i < LunghezzaCodFisc - 1; ++i) {
        const char16_t c = primi15.at(i).unicode();
        // Only A-Z and 0-9: the signs between '9' and 'A' are in the tables
        // but belong to no fiscal code.
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')))
            return QChar();
        // Position i + 1 counting from 1: odd positions use the odd table.
        somma += (i % 2 == 0 ? kDispari : kPari)[c - u'0'];
    }
    return QChar(u'A' + somma % 26);
}

bool ControllaCodFisc(const QString &codice)
{
    if (codice.size() != LunghezzaCodFisc)
        return false;
    const QChar controllo = CarattereControlloCodFisc(codice);
    return !controllo.isNull() && codice.at(LunghezzaCodFisc - 1) == controllo;
}

bool ControllaPartitaIva(const QString &piva)
{
    if (piva.size() != LunghezzaPartitaIva || !allDigits(piva))
        return false;
    int somma = 0;
    for (qsizetype i = 0; i < LunghezzaPartitaIva - 1; ++i) {
        int cifra = piva.at(i).unicode() - u'0';
        if (i % 2 == 1) {
            cifra *= 2;
            if (cifra > 9)
                cifra -= 9;
        }
        somma += cifra;
    }
    return piva.at(LunghezzaPartitaIva - 1).unicode() - u'0' == (10 - somma % 10) % 10;
}

QString UfficioIva(const QString &codiceTreCifre)
{
    for (const Ufficio &u : kUffici)
        if (u.codice == codiceTreCifre)
            return u.nome.toString();
    return QString();
}

QString MsgPartitaIvaValida(const QString &piva)
{
    const QString valida = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n");
    const QString codice = piva.mid(7, 3);
    const QString ufficio = UfficioIva(codice);
    if (ufficio.isEmpty())
        return valida
               + QStringLiteral("Il codice dell'Ufficio IVA (%1) non corrisponde a nessun ufficio della tabella.")
                     .arg(codice);
    return valida + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") + ufficio + u'.';
}

QString LettereInCifre(const QString &testo)
{
    QString cifre;
    cifre.reserve(testo.size() * 2);
    for (QChar c : testo) {
        if (c >= u'A' && c <= u'Z')
            cifre += QString::number(c.unicode() - u'A' + 10);
        else
            cifre += c;
    }
    return cifre;
}

int RestoIban(const QString &testo)
{
    QString t = upperAZ(testo);
    // "IBAN" written before the code; the same letters further on are part of it.
    if (t.startsWith(u"IBAN"))
        t.remove(0, 4);
    const QString cifre = LettereInCifre(t.mid(4) + t.left(4));

    // Reduce piece by piece: the carried remainder plus new digits never
    // exceed nine digits, so every step fits in an int.
    int resto = 0;
    QString riporto;
    qsizetype posizione = 0;
    qsizetype pezzo = 9;
    while (posizione < cifre.size()) {
        riporto += QStringView(cifre).mid(posizione, pezzo);
        const std::optional<int> valore = valoreCifre(riporto);
        if (!valore)
            return 0;
        resto = *valore % 97;
        posizione += pezzo;
        riporto = QString::number(resto);
        pezzo = 9 - riporto.size();
    }
    return resto;
}

bool ControllaIban(const QString &iban)
{
    return RestoIban(QString(iban).remove(u' ')) == 1;
}

} // namespace qv
