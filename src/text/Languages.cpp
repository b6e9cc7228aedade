// The language table and the system language derived from the locale.
#include "Languages.h"

#include <QLocale>

#include <stdexcept>

namespace {

// "identifier;name;code page;dictionary", in the order the dialogs list them.
const char* const LanguageEntries[] = {
    "0x0436;Afrikaans;1252;en_US",
    "0x041C;Albanian;1250;en_US",
    "0x0001;Arabic;1256;en_US",
    "0x0401;Arabic (Saudi Arabia);1256;en_US",
    "0x0801;Arabic (Iraq);1256;en_US",
    "0x0C01;Arabic (Egypt);1256;en_US",
    "0x1001;Arabic (Libya);1256;en_US",
    "0x1401;Arabic (Algeria);1256;en_US",
    "0x1801;Arabic (Morocco);1256;en_US",
    "0x1C01;Arabic (Tunisia);1256;en_US",
    "0x2001;Arabic (Oman);1256;en_US",
    "0x2401;Arabic (Yemen);1256;en_US",
    "0x2801;Arabic (Syria);1256;en_US",
    "0x2C01;Arabic (Jordan);1256;en_US",
    "0x3001;Arabic (Lebanon);1256;en_US",
    "0x3401;Arabic (Kuwait);1256;en_US",
    "0x3801;Arabic (U.A.E.);1256;en_US",
    "0x3C01;Arabic (Bahrain);1256;en_US",
    "0x4001;Arabic (Qatar);1256;en_US",
    "0x042D;Basque;1252;en_US",
    "0x0402;Bulgarian;1251;en_US",
    "0x0423;Belarusian;1251;en_US",
    "0x0403;Catalan;1252;en_US",
    "0x0004;Chinese;936;en_US",
    "0x0404;Chinese (Taiwan);950;en_US",
    "0x0804;Chinese (China);936;en_US",
    "0x0C04;Chinese (Hong Kong SAR);950;en_US",
    "0x1004;Chinese (Singapore);936;en_US",
    "0x041A;Croatian;1250;en_US",
    "0x0405;Czech;1250;en_US",
    "0x0406;Danish;1252;en_US",
    "0x0413;Dutch (Netherlands);1252;en_US",
    "0x0813;Dutch (Belgium);1252;en_US",
    "0x0009;English;1252;en_US",
    "0x0409;English (United States);1252;en_US",
    "0x0809;English (United Kingdom);1252;en_GB",
    "0x0C09;English (Australia);1252;en_US",
    "0x1009;English (Canada);1252;en_US",
    "0x1409;English (New Zealand);1252;en_US",
    "0x1809;English (Ireland);1252;en_US",
    "0x1C09;English (South Africa);1252;en_US",
    "0x2009;English (Jamaica);1252;en_US",
    "0x2809;English (Belize);1252;en_US",
    "0x2C09;English (Trinidad);1252;en_US",
    "0x0425;Estonian;1257;en_US",
    "0x0438;Faeroese;1252;en_US",
    "0x0429;Farsi;1256;en_US",
    "0x040B;Finnish;1252;en_US",
    "0x040C;French (France);1252;fr_FR",
    "0x080C;French (Belgium);1252;fr_FR",
    "0x0C0C;French (Canada);1252;fr_FR",
    "0x100C;French (Switzerland);1252;fr_FR",
    "0x140C;French (Luxembourg);1252;fr_FR",
    "0x043C;Gaelic;1252;en_US",
    "0x0407;German (Germany);1252;de_DE",
    "0x0807;German (Switzerland);1252;de_DE",
    "0x0C07;German (Austria);1252;de_DE",
    "0x1007;German (Luxembourg);1252;de_DE",
    "0x1407;German (Liechtenstein);1252;de_DE",
    "0x0408;Greek;1253;en_US",
    "0x040D;Hebrew;1255;en_US",
    "0x040E;Hungarian;1250;en_US",
    "0x040F;Icelandic;1252;en_US",
    "0x0421;Indonesian;1252;en_US",
    "0x0410;Italian (Italy);1252;it_IT",
    "0x0810;Italian (Switzerland);1252;it_IT",
    "0x0411;Japanese;932;en_US",
    "0x0412;Korean;949;en_US",
    "0x0426;Latvian;1257;en_US",
    "0x0427;Lithuanian;1257;en_US",
    "0x042F;FYRO Macedonian;1251;en_US",
    "0x043E;Malay (Malaysia);1252;en_US",
    "0x043A;Maltese;1254;en_US",
    "0x0450;Mongolian (Cyrillic);1251;en_US",
    "0x0414;Norwegian (Bokmal);1252;en_US",
    "0x0814;Norwegian (Nynorsk);1252;en_US",
    "0x0415;Polish;1250;en_US",
    "0x0416;Portuguese (Brazil);1252;pt_PT",
    "0x0816;Portuguese (Portugal);1252;pt_PT",
    "0x0417;Rhaeto-Romanic;1252;en_US",
    "0x0418;Romanian;1250;en_US",
    "0x0818;Romanian (Moldova);1250;en_US",
    "0x0419;Russian;1251;ru_RU",
    "0x0819;Russian (Moldova);1251;ru_RU",
    "0x0C1A;Serbian (Cyrillic);1251;en_US",
    "0x081A;Serbian (Latin);1252;en_US",
    "0x041B;Slovak;1250;en_US",
    "0x0424;Slovenian;1250;en_US",
    "0x042E;Sorbian;1252;en_US",
    "0x040A;Spanish (Traditional Sort);1252;es_ES",
    "0x080A;Spanish (Mexico);1252;es_ES",
    "0x0C0A;Spanish (International Sort);1252;es_ES",
    "0x100A;Spanish (Guatemala);1252;es_ES",
    "0x140A;Spanish (Costa Rica);1252;es_ES",
    "0x180A;Spanish (Panama);1252;es_ES",
    "0x1C0A;Spanish (Dominican Republic);1252;es_ES",
    "0x200A;Spanish (Venezuela);1252;es_ES",
    "0x240A;Spanish (Colombia);1252;es_ES",
    "0x280A;Spanish (Peru);1252;es_ES",
    "0x2C0A;Spanish (Argentina);1252;es_ES",
    "0x300A;Spanish (Ecuador);1252;es_ES",
    "0x340A;Spanish (Chile);1252;es_ES",
    "0x380A;Spanish (Uruguay);1252;es_ES",
    "0x3C0A;Spanish (Paraguay);1252;es_ES",
    "0x400A;Spanish (Bolivia);1252;es_ES",
    "0x440A;Spanish (El Salvador);1252;es_ES",
    "0x480A;Spanish (Honduras);1252;es_ES",
    "0x4C0A;Spanish (Nicaragua);1252;es_ES",
    "0x500A;Spanish (Puerto Rico);1252;es_ES",
    "0x0430;Sutu;1252;en_US",
    "0x041D;Swedish;1252;en_US",
    "0x081D;Swedish (Finland);1252;en_US",
    "0x041E;Thai;874;en_US",
    "0x0431;Tsonga;1252;en_US",
    "0x0432;Tswana;1252;en_US",
    "0x041F;Turkish;1254;en_US",
    "0x0422;Ukrainian;1251;en_US",
    "0x0420;Urdu;1256;en_US",
    "0x042A;Vietnamese;1258;en_US",
    "0x0434;Xhosa;1252;en_US",
    "0x043D;Yiddish;1252;en_US",
    "0x0435;Zulu;1252;en_US",
};

// The locale each language identifier stands for. An empty territory marks a
// neutral entry: it never matches exactly but is the first of its language.
// Spanish (Traditional Sort) is neutral too, because Spain's locale is the
// international sort (0x0C0A), as Windows reports it.
struct LocaleTag {
    const char* id;
    const char* language;
    const char* script;
    const char* territory;
};

const LocaleTag LocaleTags[] = {
    {"0x0436", "af", "", "ZA"}, {"0x041C", "sq", "", "AL"}, {"0x0001", "ar", "", ""},
    {"0x0401", "ar", "", "SA"}, {"0x0801", "ar", "", "IQ"}, {"0x0C01", "ar", "", "EG"},
    {"0x1001", "ar", "", "LY"}, {"0x1401", "ar", "", "DZ"}, {"0x1801", "ar", "", "MA"},
    {"0x1C01", "ar", "", "TN"}, {"0x2001", "ar", "", "OM"}, {"0x2401", "ar", "", "YE"},
    {"0x2801", "ar", "", "SY"}, {"0x2C01", "ar", "", "JO"}, {"0x3001", "ar", "", "LB"},
    {"0x3401", "ar", "", "KW"}, {"0x3801", "ar", "", "AE"}, {"0x3C01", "ar", "", "BH"},
    {"0x4001", "ar", "", "QA"}, {"0x042D", "eu", "", "ES"}, {"0x0402", "bg", "", "BG"},
    {"0x0423", "be", "", "BY"}, {"0x0403", "ca", "", "ES"}, {"0x0004", "zh", "", ""},
    {"0x0404", "zh", "Hant", "TW"}, {"0x0804", "zh", "Hans", "CN"}, {"0x0C04", "zh", "Hant", "HK"},
    {"0x1004", "zh", "Hans", "SG"}, {"0x041A", "hr", "", "HR"}, {"0x0405", "cs", "", "CZ"},
    {"0x0406", "da", "", "DK"}, {"0x0413", "nl", "", "NL"}, {"0x0813", "nl", "", "BE"},
    {"0x0009", "en", "", ""}, {"0x0409", "en", "", "US"}, {"0x0809", "en", "", "GB"},
    {"0x0C09", "en", "", "AU"}, {"0x1009", "en", "", "CA"}, {"0x1409", "en", "", "NZ"},
    {"0x1809", "en", "", "IE"}, {"0x1C09", "en", "", "ZA"}, {"0x2009", "en", "", "JM"},
    {"0x2809", "en", "", "BZ"}, {"0x2C09", "en", "", "TT"}, {"0x0425", "et", "", "EE"},
    {"0x0438", "fo", "", "FO"}, {"0x0429", "fa", "", "IR"}, {"0x040B", "fi", "", "FI"},
    {"0x040C", "fr", "", "FR"}, {"0x080C", "fr", "", "BE"}, {"0x0C0C", "fr", "", "CA"},
    {"0x100C", "fr", "", "CH"}, {"0x140C", "fr", "", "LU"}, {"0x043C", "gd", "", "GB"},
    {"0x0407", "de", "", "DE"}, {"0x0807", "de", "", "CH"}, {"0x0C07", "de", "", "AT"},
    {"0x1007", "de", "", "LU"}, {"0x1407", "de", "", "LI"}, {"0x0408", "el", "", "GR"},
    {"0x040D", "he", "", "IL"}, {"0x040E", "hu", "", "HU"}, {"0x040F", "is", "", "IS"},
    {"0x0421", "id", "", "ID"}, {"0x0410", "it", "", "IT"}, {"0x0810", "it", "", "CH"},
    {"0x0411", "ja", "", "JP"}, {"0x0412", "ko", "", "KR"}, {"0x0426", "lv", "", "LV"},
    {"0x0427", "lt", "", "LT"}, {"0x042F", "mk", "", "MK"}, {"0x043E", "ms", "", "MY"},
    {"0x043A", "mt", "", "MT"}, {"0x0450", "mn", "", "MN"}, {"0x0414", "nb", "", "NO"},
    {"0x0814", "nn", "", "NO"}, {"0x0415", "pl", "", "PL"}, {"0x0416", "pt", "", "BR"},
    {"0x0816", "pt", "", "PT"}, {"0x0417", "rm", "", "CH"}, {"0x0418", "ro", "", "RO"},
    {"0x0818", "ro", "", "MD"}, {"0x0419", "ru", "", "RU"}, {"0x0819", "ru", "", "MD"},
    {"0x0C1A", "sr", "Cyrl", "RS"}, {"0x081A", "sr", "Latn", "RS"}, {"0x041B", "sk", "", "SK"},
    {"0x0424", "sl", "", "SI"}, {"0x042E", "hsb", "", "DE"}, {"0x040A", "es", "", ""},
    {"0x080A", "es", "", "MX"}, {"0x0C0A", "es", "", "ES"}, {"0x100A", "es", "", "GT"},
    {"0x140A", "es", "", "CR"}, {"0x180A", "es", "", "PA"}, {"0x1C0A", "es", "", "DO"},
    {"0x200A", "es", "", "VE"}, {"0x240A", "es", "", "CO"}, {"0x280A", "es", "", "PE"},
    {"0x2C0A", "es", "", "AR"}, {"0x300A", "es", "", "EC"}, {"0x340A", "es", "", "CL"},
    {"0x380A", "es", "", "UY"}, {"0x3C0A", "es", "", "PY"}, {"0x400A", "es", "", "BO"},
    {"0x440A", "es", "", "SV"}, {"0x480A", "es", "", "HN"}, {"0x4C0A", "es", "", "NI"},
    {"0x500A", "es", "", "PR"}, {"0x0430", "st", "", "ZA"}, {"0x041D", "sv", "", "SE"},
    {"0x081D", "sv", "", "FI"}, {"0x041E", "th", "", "TH"}, {"0x0431", "ts", "", "ZA"},
    {"0x0432", "tn", "", "ZA"}, {"0x041F", "tr", "", "TR"}, {"0x0422", "uk", "", "UA"},
    {"0x0420", "ur", "", "PK"}, {"0x042A", "vi", "", "VN"}, {"0x0434", "xh", "", "ZA"},
    {"0x043D", "yi", "", ""}, {"0x0435", "zu", "", "ZA"},
};

static_assert(std::size(LocaleTags) == std::size(LanguageEntries), "one locale tag per language");

const char DefaultLanguageId[] = "0x0409";
constexpr int DefaultCodePage = 1252;

} // namespace

TLanguages::TLanguages()
{
    Languages.reserve(std::size(LanguageEntries));
    for (const char* entry : LanguageEntries) {
        const QStringList fields = QString::fromLatin1(entry).split(QLatin1Char(';'));
        TLanguage language;
        language.Id = fields.value(0).trimmed();
        language.Name = fields.value(1).trimmed();
        language.CodePage = fields.value(2).trimmed().toInt();
        language.Dictionary = fields.value(3).trimmed();
        Languages.push_back(language);
    }
}

int TLanguages::GetCount() const
{
    return static_cast<int>(Languages.size());
}

const TLanguage& TLanguages::GetItem(int index) const
{
    if (index < 0 || index >= GetCount())
        throw std::out_of_range("language index out of range");
    return Languages[static_cast<size_t>(index)];
}

int TLanguages::GetIndexById(const QString& id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (Languages[static_cast<size_t>(i)].Id.compare(id, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TLanguages::GetCodepageById(const QString& id) const
{
    const int index = GetIndexById(id);
    return index < 0 ? 0 : GetItem(index).CodePage;
}

QString TLanguages::GetNameById(const QString& id) const
{
    const int index = GetIndexById(id);
    return index < 0 ? QString() : GetItem(index).Name;
}

QString TLanguages::GetDictionaryById(const QString& id) const
{
    const int index = GetIndexById(id);
    return index < 0 ? QString() : GetItem(index).Dictionary;
}

void TLanguages::NameToStringLists(QStringList& list) const
{
    for (const TLanguage& language : Languages)
        list.append(language.Name);
}

const TLanguages& LanguageTable()
{
    static const TLanguages table;
    return table;
}

QString SystemLanguageId()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return QString::fromLatin1(DefaultLanguageId);
    const QString language = QLocale::languageToCode(locale.language());
    const QString script = QLocale::scriptToCode(locale.script());
    const QString territory = QLocale::territoryToCode(locale.territory());

    auto sameLanguage = [&](const LocaleTag& tag) { return language == QLatin1String(tag.language); };
    auto scriptFits = [&](const LocaleTag& tag) { return !*tag.script || script == QLatin1String(tag.script); };

    for (const LocaleTag& tag : LocaleTags)
        if (sameLanguage(tag) && *tag.territory && territory == QLatin1String(tag.territory) && scriptFits(tag))
            return QLatin1String(tag.id);
    // A territory the table lacks: prefer an entry written in the same script
    // (Traditional Chinese in Macao is Big5 like Taiwan), then the language.
    for (const LocaleTag& tag : LocaleTags)
        if (sameLanguage(tag) && *tag.script && scriptFits(tag))
            return QLatin1String(tag.id);
    for (const LocaleTag& tag : LocaleTags)
        if (sameLanguage(tag))
            return QLatin1String(tag.id);
    return QString::fromLatin1(DefaultLanguageId);
}

int SystemAnsiCodePage()
{
    const int codePage = LanguageTable().GetCodepageById(SystemLanguageId());
    return codePage == 0 ? DefaultCodePage : codePage;
}
