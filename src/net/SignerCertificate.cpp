#include "net/SignerCertificate.h"

#include <string_view>

#include "net/Sha256.h"

namespace {
constexpr uint8_t kInteger = 0x02;
constexpr uint8_t kBitString = 0x03;
constexpr uint8_t kObjectId = 0x06;
constexpr uint8_t kUtf8String = 0x0c;
constexpr uint8_t kPrintableString = 0x13;
constexpr uint8_t kIa5String = 0x16;
constexpr uint8_t kUtcTime = 0x17;
constexpr uint8_t kGeneralizedTime = 0x18;
constexpr uint8_t kBmpString = 0x1e;
constexpr uint8_t kSequence = 0x30;
constexpr uint8_t kSet = 0x31;
constexpr uint8_t kExplicitVersion = 0xa0;  // [0], context-specific and constructed

// The encoded object identifiers 2.5.4.10 and 2.5.4.3.
constexpr std::string_view kOrganisationOid("\x55\x04\x0a", 3);
constexpr std::string_view kCommonNameOid("\x55\x04\x03", 3);

struct Element {
    uint8_t tag = 0;
    std::string_view content;
    std::string_view whole;  // tag and length bytes included
};

// The elements of one level of a DER encoding, in order. Every length is
// checked against the bytes that are left before anything is read.
class DerElements {
public:
    explicit DerElements(std::string_view bytes) : rest_(bytes) {}

    bool AtEnd() const { return rest_.empty(); }
    bool NextHasTag(uint8_t tag) const { return !rest_.empty() && uint8_t(rest_[0]) == tag; }

    std::optional<Element> Next() {
        if (rest_.size() < 2) return std::nullopt;
        const uint8_t tag = uint8_t(rest_[0]);
        if ((tag & 0x1f) == 0x1f) return std::nullopt;  // a tag number past 30: nothing a certificate uses here
        size_t header = 2;
        size_t length = uint8_t(rest_[1]);
        if (length & 0x80) {
            const size_t count = length & 0x7f;
            // No count is the indefinite form, which DER forbids; four bytes already say 4 GB.
            if (count == 0 || count > 4 || rest_.size() - header < count) return std::nullopt;
            length = 0;
            for (size_t i = 0; i < count; ++i) length = (length << 8) | uint8_t(rest_[header + i]);
            // DER has one encoding of each length: the shortest. Any other one
            // would let two different byte strings stand for the same certificate.
            if (uint8_t(rest_[header]) == 0 || length < 0x80) return std::nullopt;
            header += count;
        }
        if (length > rest_.size() - header) return std::nullopt;
        const Element element{tag, rest_.substr(header, length), rest_.substr(0, header + length)};
        rest_.remove_prefix(header + length);
        return element;
    }

    // The next element, when it is there with this tag.
    std::optional<Element> Take(uint8_t tag) { return NextHasTag(tag) ? Next() : std::nullopt; }

private:
    std::string_view rest_;
};

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xc0 | (code >> 6));
        out += char(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += char(0xe0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    } else {
        out += char(0xf0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3f));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    }
}

// A BMPString holds UTF-16BE; surrogate pairs are taken as Windows takes
// them. A cut-off unit or a lone surrogate has no UTF-8 form.
std::optional<std::string> Utf8FromUtf16Be(std::string_view bytes) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    const auto unitAt = [&bytes](size_t at) { return (uint32_t(uint8_t(bytes[at])) << 8) | uint8_t(bytes[at + 1]); };
    std::string out;
    for (size_t at = 0; at < bytes.size(); at += 2) {
        uint32_t code = unitAt(at);
        if (code >= 0xdc00 && code <= 0xdfff) return std::nullopt;
        if (code >= 0xd800 && code <= 0xdbff) {
            if (at + 4 > bytes.size()) return std::nullopt;
            const uint32_t low = unitAt(at + 2);
            if (low < 0xdc00 || low > 0xdfff) return std::nullopt;
            code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
            at += 2;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::optional<std::string> ReadDirectoryString(const Element& value) {
    switch (value.tag) {
    case kUtf8String:
    case kPrintableString:
    case kIa5String:
        return std::string(value.content);
    case kBmpString:
        return Utf8FromUtf16Be(value.content);
    default:
        return std::nullopt;
    }
}

// One subject attribute we read (O or CN). A second occurrence, or one we
// cannot read, makes the subject ambiguous; the first readable value stays.
struct NameField {
    std::string& text;
    bool seen = false;

    void Add(const Element& value, bool& ambiguous) {
        const std::optional<std::string> read = ReadDirectoryString(value);
        if (seen || !read) ambiguous = true;
        if (!seen && read) text = *read;
        seen = true;
    }
};

// False when the Name is not a well-formed RDNSequence.
bool ReadSubject(std::string_view rdnSequence, CertificateFacts& facts) {
    NameField organisation{facts.organisation};
    NameField commonName{facts.commonName};
    DerElements rdns(rdnSequence);
    while (!rdns.AtEnd()) {
        const std::optional<Element> rdn = rdns.Take(kSet);
        if (!rdn) return false;
        DerElements attributes(rdn->content);
        while (!attributes.AtEnd()) {
            const std::optional<Element> attribute = attributes.Take(kSequence);
            if (!attribute) return false;
            DerElements typeAndValue(attribute->content);
            const std::optional<Element> type = typeAndValue.Take(kObjectId);
            const std::optional<Element> value = typeAndValue.Next();
            if (!type || !value || !typeAndValue.AtEnd()) return false;
            if (type->content == kOrganisationOid) organisation.Add(*value, facts.subjectAmbiguous);
            if (type->content == kCommonNameOid) commonName.Add(*value, facts.subjectAmbiguous);
        }
    }
    return true;
}

// The number written with `count` decimal digits at `at`; -1 when any of
// them is not a digit.
int DigitsAt(std::string_view text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool IsLeapYear(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int64_t year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 0000-03-01 of the proleptic Gregorian calendar. Years are
// counted from March so that the leap day is the last day of its year: the
// days before a month then do not depend on the year, and the months from
// March on follow a 153-days-in-5-months pattern.
constexpr int64_t DaysSinceMarchOfYearZero(int64_t year, int month, int day) {
    const int64_t marchYear = month <= 2 ? year - 1 : year;  // -1 only for January and February of year 0
    const int64_t shifted = marchYear + 400;  // whole 400-year cycles keep the divisions below off negative numbers
    const int64_t monthFromMarch = (month + 9) % 12;
    const int64_t daysBeforeMonth = (153 * monthFromMarch + 2) / 5;
    return shifted * 365 + shifted / 4 - shifted / 100 + shifted / 400 - 146097 + daysBeforeMonth + day - 1;
}

// UTCTime YYMMDDHHMMSSZ or GeneralizedTime YYYYMMDDHHMMSSZ, the only forms
// a certificate may use; seconds since 1970-01-01 UTC.
std::optional<int64_t> ReadTime(const Element& time) {
    const std::string_view text = time.content;
    int64_t year = 0;
    size_t at = 0;
    if (time.tag == kUtcTime && text.size() == 13) {
        const int yy = DigitsAt(text, 0, 2);
        if (yy < 0) return std::nullopt;
        year = yy >= 50 ? 1900 + yy : 2000 + yy;
        at = 2;
    } else if (time.tag == kGeneralizedTime && text.size() == 15) {
        year = DigitsAt(text, 0, 4);
        if (year < 0) return std::nullopt;
        at = 4;
    } else {
        return std::nullopt;
    }
    if (text.back() != 'Z') return std::nullopt;
    const int month = DigitsAt(text, at, 2), day = DigitsAt(text, at + 2, 2);
    const int hour = DigitsAt(text, at + 4, 2), minute = DigitsAt(text, at + 6, 2), second = DigitsAt(text, at + 8, 2);
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    constexpr int64_t kEpochDay = DaysSinceMarchOfYearZero(1970, 1, 1);
    const int64_t days = DaysSinceMarchOfYearZero(year, month, day) - kEpochDay;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}
}  // namespace

std::optional<CertificateFacts> ReadCertificateFacts(const std::string& der) {
    DerElements whole(der);
    const std::optional<Element> certificate = whole.Take(kSequence);
    if (!certificate || !whole.AtEnd()) return std::nullopt;
    DerElements parts(certificate->content);
    const std::optional<Element> tbs = parts.Take(kSequence);
    const std::optional<Element> signatureAlgorithm = parts.Take(kSequence);
    const std::optional<Element> signature = parts.Take(kBitString);
    if (!tbs || !signatureAlgorithm || !signature || !parts.AtEnd()) return std::nullopt;

    DerElements fields(tbs->content);
    if (fields.NextHasTag(kExplicitVersion) && !fields.Next()) return std::nullopt;
    const std::optional<Element> serial = fields.Take(kInteger);
    const std::optional<Element> algorithm = fields.Take(kSequence);
    const std::optional<Element> issuer = fields.Take(kSequence);
    const std::optional<Element> validity = fields.Take(kSequence);
    const std::optional<Element> subject = fields.Take(kSequence);
    const std::optional<Element> publicKey = fields.Take(kSequence);
    // What follows (unique identifiers, extensions) says nothing the decision uses.
    if (!serial || !algorithm || !issuer || !validity || !subject || !publicKey) return std::nullopt;

    CertificateFacts facts;
    DerElements times(validity->content);
    const std::optional<Element> notBefore = times.Next(), notAfter = times.Next();
    if (!notBefore || !notAfter || !times.AtEnd()) return std::nullopt;
    const std::optional<int64_t> from = ReadTime(*notBefore), until = ReadTime(*notAfter);
    if (!from || !until || !ReadSubject(subject->content, facts)) return std::nullopt;
    facts.notBefore = *from;
    facts.notAfter = *until;
    facts.publicKeySha256 = Sha256Hex(std::string(publicKey->whole));
    return facts;
}
