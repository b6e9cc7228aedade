// Charset names, font character sets and dictionary display names.
#include "CodePages.h"

#include <algorithm>

namespace {

constexpr int WesternCodePage = 1252;

// Dictionary folders and their display names, in the order they were
// collected; DictionaryDisplayNames() sorts them.
const char* const DictionaryEntries[] = {
    "af_af:Afrikaans",
    "ar_sa:Arabic (Saudi Arabia)",
    "ar_eg:Arabic (Egypt)",
    "ar_dz:Arabic (Algeria)",
    "ar_tn:Arabic (Tunisia)",
    "ar_ye:Arabic (Yemen)",
    "ar_jo:Arabic (Jordan)",
    "ar_kw:Arabic (Kuwait)",
    "ar_bh:Arabic (Bahrain)",
    "eu_eu:Basque (Basque)",
    "be_be:Belarusian",
    "zh_tw:Chinese (Taiwan)",
    "zh_hk:Chinese (Hong Kong SAR)",
    "hr_hr:Croatian",
    "da_da:Danish",
    "nl_be:Dutch (Belgium)",
    "en_us:English (United States)",
    "en_au:English (Australia)",
    "en_nz:English (New Zealand)",
    "en_za:English (South Africa)",
    "en_en:English (Caribbean)",
    "en_tt:English (Trinidad)",
    "fo_fo:Faeroese",
    "fi_fi:Finnish",
    "fr_be:French (Belgium)",
    "fr_ch:French (Switzerland)",
    "gd_gd:Gaelic (Scotland)",
    "de_de:German (Standard)",
    "de_at:German (Austria)",
    "de_li:German (Liechtenstein)",
    "he_he:Hebrew",
    "hu_hu:Hungarian",
    "id_id:Indonesian",
    "it_ch:Italian (Switzerland)",
    "ko_ko:Korean",
    "lv_lv:Latvian",
    "mk_mk:Macedonian (FYROM)",
    "mt_mt:Maltese",
    "no_no:Norwegian (Nynorsk)",
    "pt_br:Portuguese (Brazil)",
    "rm_rm:Rhaeto_Romanic",
    "ro_mo:Romanian (Republic of Moldova)",
    "ru_mo:Russian (Republic of Moldova)",
    "sr_sr:Serbian (Cyrillic)",
    "sk_sk:Slovak",
    "sb_sb:Sorbian",
    "es_mx:Spanish (Mexico)",
    "es_cr:Spanish (Costa Rica)",
    "es_do:Spanish (Dominican Republic)",
    "es_co:Spanish (Colombia)",
    "es_ar:Spanish (Argentina)",
    "es_cl:Spanish (Chile)",
    "es_py:Spanish (Paraguay)",
    "es_sv:Spanish (El Salvador)",
    "es_ni:Spanish (Nicaragua)",
    "sx_sx:Sutu",
    "sv_fi:Swedish (Finland)",
    "ts_ts:Tsonga",
    "tr_tr:Turkish",
    "ur_ur:Urdu",
    "vi_vi:Vietnamese",
    "ji_ji:Yiddish",
    "sq_sq:Albanian",
    "ar_iq:Arabic (Iraq)",
    "ar_ly:Arabic (Libya)",
    "ar_ma:Arabic (Morocco)",
    "ar_om:Arabic (Oman)",
    "ar_sy:Arabic (Syria)",
    "ar_lb:Arabic (Lebanon)",
    "ar_ae:Arabic (U.A.E.)",
    "ar_qa:Arabic (Qatar)",
    "bg_qa:Bulgarian",
    "ca_ca:Catalan",
    "zh_cn:Chinese (PRC)",
    "zh_sg:Chinese (Singapore)",
    "cs_cs:Czech",
    "nl_nl:Dutch (Standard)",
    "en_en:English",
    "en_gb:English (United Kingdom)",
    "en_ca:English (Canada)",
    "en_ie:English (Ireland)",
    "en_jm:English (Jamaica)",
    "en_bz:English (Belize)",
    "et_et:Estonian",
    "fa_fa:Farsi",
    "fr_fr:French (Standard)",
    "fr_ca:French (Canada)",
    "fr_lu:French (Luxembourg)",
    "ga_ga:Irish",
    "de_ch:German (Switzerland)",
    "de_lu:German (Luxembourg)",
    "el_el:Greek",
    "hi_hi:Hindi",
    "is_is:Icelandic",
    "it_it:Italian (Standard)",
    "ja_ja:Japanese",
    "ko_ko:Korean (Johab)",
    "lt_lt:Lithuanian",
    "ms_ms:Malaysian",
    "no_no:Norwegian (Bokmal)",
    "pl_pl:Polish",
    "pt_pt:Portuguese (Portugal)",
    "ro_ro:Romanian",
    "ru_ru:Russian",
    "sz_sz:Sami (Lappish)",
    "sr_sr:Serbian (Latin)",
    "sl_sl:Slovenian",
    "es_es:Spanish (Spain)",
    "es_gt:Spanish (Guatemala)",
    "es_pa:Spanish (Panama)",
    "es_ve:Spanish (Venezuela)",
    "es_pe:Spanish (Peru)",
    "es_ec:Spanish (Ecuador)",
    "es_uy:Spanish (Uruguay)",
    "es_bo:Spanish (Bolivia)",
    "es_hn:Spanish (Honduras)",
    "es_pr:Spanish (Puerto Rico)",
    "sv_sv:Swedish",
    "th_th:Thai",
    "tn_tn:Tswana",
    "uk_uk:Ukrainian",
    "ve_ve:Venda",
    "xh_xh:Xhosa",
    "zu_zu:Zulu",
};

QStringList buildDictionaryDisplayNames()
{
    QStringList sorted;
    for (const char* entry : DictionaryEntries) {
        const QString text = QString::fromUtf8(entry);
        const auto lessWithoutCase = [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        };
        const auto at = std::lower_bound(sorted.begin(), sorted.end(), text, lessWithoutCase);
        if (at != sorted.end() && at->compare(text, Qt::CaseInsensitive) == 0)
            continue;
        sorted.insert(at, text);
    }
    return sorted;
}

// Names that browsers read as windows-1252 and the table lacks.
const char* const MoreWindows1252Names[] = {"cp1252", "x-cp1252", "iso88591"};

} // namespace

// A page declaring ISO-8859-1 or ASCII is read as windows-1252, as browsers
// read it: the bytes 0x80-0x9F of such pages are curly quotes, dashes and the
// euro sign, which the author sees in every browser.
const std::vector<TCharsetAlias>& CharsetAliasTable()
{
    static const std::vector<TCharsetAlias> table = {
        {"ANSI_X3.4-1968", 1252},
        {"ANSI_X3.4-1986", 1252},
        {"arabic", 28596},
        {"ascii", 1252},
        {"ASMO-708", 708},
        {"Big5", 950},
        {"chinese", 936},
        {"CN-GB", 936},
        {"cp1256", 1256},
        {"cp367", 1252},
        {"cp819", 1252},
        {"cp852", 852},
        {"cp866", 866},
        {"csASCII", 1252},
        {"csbig5", 950},
        {"csEUCKR", 949},
        {"csEUCPkdFmtJapanese", 51932},
        {"csGB2312", 936},
        {"csISO2022JP", 50221},
        {"csISO2022KR", 50225},
        {"csISO58GB231280", 936},
        {"csISOLatin1", 1252},
        {"csISOLatin2", 28592},
        {"csISOLatin4", 28594},
        {"csISOLatin5", 1254},
        {"csISOLatinArabic", 28596},
        {"csISOLatinCyrillic", 28595},
        {"csISOLatinGreek", 28597},
        {"csISOLatinHebrew", 28598},
        {"csKOI8R", 20866},
        {"csKSC56011987", 949},
        {"csShiftJIS", 932},
        {"csUnicode11UTF7", 65000},
        {"csWindows31J", 932},
        {"cyrillic", 28595},
        {"DOS-720", 720},
        {"DOS-862", 862},
        {"DOS-874", 874},
        {"ECMA-114", 28596},
        {"ECMA-118", 28597},
        {"ELOT_928", 28597},
        {"euc-jp", 20932},
        {"euc-kr", 949},
        {"Extended_UNIX_Code_Packed_Format_for_Japanese", 51932},
        {"GB2312", 936},
        {"GBK", 936},
        {"GB_2312-80", 936},
        {"greek", 28597},
        {"greek8", 28597},
        {"hebrew", 28598},
        {"hz-gb-2312", 52936},
        {"IBM367", 1252},
        {"ibm819", 1252},
        {"ibm852", 852},
        {"ibm866", 866},
        {"iso-2022-jp", 50220},
        {"iso-2022-kr", 50225},
        {"iso-8859-1", 1252},
        {"iso-8859-11", 874},
        {"iso-8859-2", 28592},
        {"iso-8859-3", 28593},
        {"iso-8859-4", 28594},
        {"iso-8859-5", 28595},
        {"iso-8859-6", 28596},
        {"iso-8859-7", 28597},
        {"iso-8859-8", 28598},
        {"ISO-8859-8 Visual", 28598},
        {"iso-8859-8-i", 38598},
        {"iso-8859-9", 1254},
        {"iso-ir-100", 1252},
        {"iso-ir-101", 28592},
        {"iso-ir-110", 28594},
        {"iso-ir-111", 28594},
        {"iso-ir-126", 28597},
        {"iso-ir-127", 28596},
        {"iso-ir-138", 28598},
        {"iso-ir-144", 28595},
        {"iso-ir-148", 1254},
        {"iso-ir-149", 949},
        {"iso-ir-58", 936},
        {"iso-ir-6", 1252},
        {"ISO646-US", 1252},
        {"iso8859-1", 1252},
        {"iso8859-2", 28592},
        {"ISO_646.irv:1991", 1252},
        {"iso_8859-1", 1252},
        {"iso_8859-1:1987", 1252},
        {"iso_8859-2", 28592},
        {"iso_8859-2:1987", 28592},
        {"ISO_8859-4", 28594},
        {"ISO_8859-4:1988", 28594},
        {"ISO_8859-5", 28595},
        {"ISO_8859-5:1988", 28595},
        {"ISO_8859-6", 28596},
        {"ISO_8859-6:1987", 28596},
        {"ISO_8859-7", 28597},
        {"ISO_8859-7:1987", 28597},
        {"ISO_8859-8", 28598},
        {"ISO_8859-8:1988", 28598},
        {"ISO_8859-9", 1254},
        {"ISO_8859-9:1989", 1254},
        {"koi", 20866},
        {"koi8-r", 20866},
        {"koi8-ru", 21866},
        {"korean", 949},
        {"KSC5601", 949},
        {"KSC_5601", 949},
        {"ks_c_5601", 949},
        {"ks_c_5601-1987", 949},
        {"ks_c_5601-1989", 949},
        {"l1", 1252},
        {"l2", 28592},
        {"l4", 28594},
        {"l5", 1254},
        {"latin1", 1252},
        {"latin2", 28592},
        {"latin4", 28594},
        {"latin5", 1254},
        {"logical", 1255},
        {"ms_Kanji", 932},
        {"shift-jis", 932},
        {"shift_jis", 932},
        {"us", 1252},
        {"us-ascii", 1252},
        {"utf-8", 65001},
        {"visual", 28598},
        {"windows-1250", 1250},
        {"windows-1251", 1251},
        {"windows-1252", 1252},
        {"windows-1253", 1253},
        {"Windows-1254", 1254},
        {"windows-1255", 1255},
        {"windows-1256", 1256},
        {"windows-1257", 1257},
        {"windows-1258", 1258},
        {"windows-874", 874},
        {"x-ansi", 1252},
        {"x-cp1250", 1250},
        {"x-cp1251", 1251},
        {"x-euc", 51932},
        {"x-euc-jp", 51932},
        {"x-ms-cp932", 932},
        {"x-sjis", 932},
        {"x-user-defined", 50000},
        {"x-x-big5", 950},
        {"_autodetect", 50932},
        {"_autodetect_all", 50001},
        {"_autodetect_kr", 50949},
        {"_iso-2022-jp$ESC", 50221},
        {"_iso-2022-jp$SIO", 50222},
    };
    return table;
}

int CodePageForCharset(const QString& name)
{
    const QString wanted = name.trimmed();
    for (const TCharsetAlias& alias : CharsetAliasTable())
        if (alias.Name.compare(wanted, Qt::CaseInsensitive) == 0)
            return alias.CodePage;
    for (const char* name : MoreWindows1252Names)
        if (wanted.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return WesternCodePage;
    return 0;
}

QString CharsetForCodePage(int codePage)
{
    switch (codePage) {
    case 874: return QStringLiteral("Windows-874");
    case 932: return QStringLiteral("shift_jis");
    case 936: return QStringLiteral("gb2312");
    case 949: return QStringLiteral("euc-kr");
    case 950: return QStringLiteral("big5");
    case 1250: return QStringLiteral("Windows-1250");
    case 1251: return QStringLiteral("Windows-1251");
    case 1252: return QStringLiteral("iso-8859-1");
    case 1253: return QStringLiteral("Windows-1253");
    case 1254: return QStringLiteral("Windows-1254");
    case 1255: return QStringLiteral("Windows-1255");
    case 1256: return QStringLiteral("Windows-1256");
    case 1257: return QStringLiteral("Windows-1257");
    case 1258: return QStringLiteral("Windows-1258");
    default: return QString();
    }
}

QString FontCharsetForCodePage(int codePage)
{
    switch (codePage) {
    case 874: return QStringLiteral("222");
    case 932: return QStringLiteral("128");
    case 936: return QStringLiteral("134");
    case 949: return QStringLiteral("129");
    case 950: return QStringLiteral("136");
    case 1250: return QStringLiteral("238");
    case 1251: return QStringLiteral("204");
    case 1253: return QStringLiteral("161");
    case 1254: return QStringLiteral("162");
    case 1255: return QStringLiteral("177");
    case 1256: return QStringLiteral("178");
    case 1257: return QStringLiteral("186");
    case 1258: return QStringLiteral("163");
    default: return QStringLiteral("0");
    }
}

const QStringList& DictionaryDisplayNames()
{
    static const QStringList names = buildDictionaryDisplayNames();
    return names;
}

QString DictionaryDisplayName(const QString& folderName)
{
    // The list is sorted, so a folder named twice resolves to the entry that
    // sorts first.
    for (const QString& entry : DictionaryDisplayNames()) {
        const qsizetype colon = entry.indexOf(QLatin1Char(':'));
        if (QStringView(entry).left(colon).compare(folderName, Qt::CaseInsensitive) == 0)
            return entry.mid(colon + 1);
    }
    return QString();
}
