#include "files/xlsx_sheet.h"

#include "common/text.h"
#include "files/zip_archive.h"

#include <algorithm>
#include <expat.h>
#include <utility>

namespace lumavo {

namespace {

constexpr int kMostSheetRows = 1048576;
constexpr int kMostSheetColumns = 16384; // XFD

// An element's or attribute's name without its namespace prefix: writers differ in prefixes.
std::string_view Local(const XML_Char* name)
{
    const std::string_view full(name);
    const std::size_t colon = full.rfind(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

std::string_view Attribute(const XML_Char** attributes, std::string_view local)
{
    for (int i = 0; attributes[i]; i += 2)
        if (Local(attributes[i]) == local)
            return attributes[i + 1];
    return {};
}

// What a part's reader does with the elements it meets; failed spoils the part.
class XmlReader
{
  public:
    virtual ~XmlReader() = default;
    virtual void Start(std::string_view element, const XML_Char** attributes) = 0;
    virtual void End(std::string_view) {}
    virtual void Text(std::string_view) {}

    XML_Parser parser = nullptr;
    bool failed = false;
};

void XMLCALL OnStart(void* reader, const XML_Char* name, const XML_Char** attributes)
{
    static_cast<XmlReader*>(reader)->Start(Local(name), attributes);
}

void XMLCALL OnEnd(void* reader, const XML_Char* name)
{
    static_cast<XmlReader*>(reader)->End(Local(name));
}

void XMLCALL OnText(void* reader, const XML_Char* text, int length)
{
    static_cast<XmlReader*>(reader)->Text(std::string_view(text, static_cast<std::size_t>(length)));
}

// A workbook part never declares a document type; one that does is refused before it can
// define entities.
void XMLCALL OnDoctype(void* reader, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    auto* self = static_cast<XmlReader*>(reader);
    self->failed = true;
    XML_StopParser(self->parser, XML_FALSE);
}

bool ParseXml(std::string_view xml, XmlReader& reader)
{
    XML_Parser parser = XML_ParserCreate("UTF-8");
    if (!parser)
        return false;
    reader.parser = parser;
    XML_SetUserData(parser, &reader);
    XML_SetElementHandler(parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser, OnText);
    XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
    const bool ok =
        XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    reader.parser = nullptr;
    return ok && !reader.failed;
}

// xl/workbook.xml: the first sheet's relationship and the date system.
class WorkbookReader : public XmlReader
{
  public:
    void Start(std::string_view element, const XML_Char** attributes) override
    {
        if (element == "sheet" && !firstSheet)
            firstSheet = std::string(Attribute(attributes, "id"));
        else if (element == "workbookPr") {
            const std::string_view flag = Attribute(attributes, "date1904");
            date1904 = flag == "1" || flag == "true";
        }
    }

    std::optional<std::string> firstSheet;
    bool date1904 = false;
};

// xl/_rels/workbook.xml.rels: where the sheets and the shared strings lie.
class RelationsReader : public XmlReader
{
  public:
    void Start(std::string_view element, const XML_Char** attributes) override
    {
        if (element != "Relationship")
            return;
        const std::string_view id = Attribute(attributes, "Id");
        const std::string_view type = Attribute(attributes, "Type");
        const std::string target = PartName(Attribute(attributes, "Target"));
        if (sheetId && id == *sheetId)
            sheet = target;
        constexpr std::string_view kShared = "/sharedStrings";
        if (type.size() >= kShared.size() && type.substr(type.size() - kShared.size()) == kShared)
            sharedStrings = target;
    }

    std::optional<std::string> sheetId;
    std::optional<std::string> sheet;
    std::optional<std::string> sharedStrings;

  private:
    // Targets are relative to xl/ unless they start at the package's root.
    static std::string PartName(std::string_view target)
    {
        return target.starts_with('/') ? std::string(target.substr(1))
                                       : "xl/" + std::string(target);
    }
};

// The text of <t> elements, runs joined, phonetic guides (<rPh>) left out: shared strings' <si>
// and inline strings' <is> hold the same shape.
class RunText
{
  public:
    void Start(std::string_view element)
    {
        if (element == "rPh")
            ++m_phonetic;
        else if (element == "t" && m_phonetic == 0)
            m_inText = true;
    }
    void End(std::string_view element)
    {
        if (element == "rPh" && m_phonetic > 0)
            --m_phonetic;
        else if (element == "t")
            m_inText = false;
    }
    void Text(std::string_view text)
    {
        if (m_inText)
            m_text += text;
    }
    std::string Take() { return std::exchange(m_text, {}); }

  private:
    std::string m_text;
    int m_phonetic = 0;
    bool m_inText = false;
};

class SharedStringsReader : public XmlReader
{
  public:
    void Start(std::string_view element, const XML_Char**) override
    {
        if (element == "si")
            m_inString = true;
        else if (m_inString)
            m_run.Start(element);
    }
    void End(std::string_view element) override
    {
        if (element == "si") {
            strings.push_back(m_run.Take());
            m_inString = false;
        } else if (m_inString)
            m_run.End(element);
    }
    void Text(std::string_view text) override { m_run.Text(text); }

    std::vector<std::string> strings;

  private:
    RunText m_run;
    bool m_inString = false;
};

// xl/styles.xml: which cell formats show their number as a percentage, by the index a cell's
// s attribute gives.
class StylesReader : public XmlReader
{
  public:
    void Start(std::string_view element, const XML_Char** attributes) override
    {
        if (element == "numFmt") {
            int id = 0;
            const std::string_view code = Attribute(attributes, "formatCode");
            if (ParseDigits(Attribute(attributes, "numFmtId"), id) &&
                code.find('%') != std::string_view::npos)
                m_percentFormats.push_back(id);
        } else if (element == "cellXfs") {
            m_inCellFormats = true;
        } else if (element == "xf" && m_inCellFormats) {
            int id = 0;
            ParseDigits(Attribute(attributes, "numFmtId"), id);
            // 9 and 10 are the built-in "0%" and "0.00%".
            percent.push_back(id == 9 || id == 10 ||
                              std::find(m_percentFormats.begin(), m_percentFormats.end(), id) !=
                                  m_percentFormats.end());
        }
    }
    void End(std::string_view element) override
    {
        if (element == "cellXfs")
            m_inCellFormats = false;
    }

    std::vector<bool> percent;

  private:
    std::vector<int> m_percentFormats;
    bool m_inCellFormats = false;
};

// "C5" → 3; 0 when the reference names no column a sheet can have.
int ReferenceColumn(std::string_view reference)
{
    int column = 0;
    std::size_t i = 0;
    for (; i < reference.size() && i < 3; ++i) {
        const char c = reference[i];
        if (c < 'A' || c > 'Z')
            break;
        column = column * 26 + (c - 'A' + 1);
    }
    return i == 0 || column > kMostSheetColumns ? 0 : column;
}

// A worksheet's <sheetData>: rows and cells where their references put them.
class SheetReader : public XmlReader
{
  public:
    SheetReader(const std::vector<std::string>& shared, const std::vector<bool>& percent)
        : m_shared(shared), m_percent(percent)
    {
    }

    void Start(std::string_view element, const XML_Char** attributes) override
    {
        if (element == "row")
            StartRow(Attribute(attributes, "r"));
        else if (element == "c")
            StartCell(Attribute(attributes, "r"), Attribute(attributes, "t"),
                      Attribute(attributes, "s"));
        else if (element == "v" && m_inCell)
            m_inValue = true;
        else if (element == "is" && m_inCell)
            m_inInline = true;
        else if (m_inInline)
            m_inlineText.Start(element);
    }

    void End(std::string_view element) override
    {
        if (element == "c" && m_inCell)
            EndCell();
        else if (element == "v")
            m_inValue = false;
        else if (element == "is")
            m_inInline = false;
        else if (element == "row" && !rows.empty())
            std::stable_sort(
                rows.back().cells.begin(), rows.back().cells.end(),
                [](const SheetCell& a, const SheetCell& b) { return a.column < b.column; });
        else if (m_inInline)
            m_inlineText.End(element);
    }

    void Text(std::string_view text) override
    {
        if (m_inValue)
            m_value += text;
        else if (m_inInline)
            m_inlineText.Text(text);
    }

    std::vector<SheetRow> rows;

  private:
    void StartRow(std::string_view reference)
    {
        int line = rows.empty() ? 1 : rows.back().line + 1;
        if (!reference.empty() && !ParseDigits(reference, line))
            line = 0;
        if (line < 1 || line > kMostSheetRows)
            failed = true;
        rows.push_back(SheetRow{line, {}});
        m_column = 0;
    }

    void StartCell(std::string_view reference, std::string_view type, std::string_view style)
    {
        int format = 0;
        m_percentCell = ParseDigits(style, format) &&
                        static_cast<std::size_t>(format) < m_percent.size() &&
                        m_percent[static_cast<std::size_t>(format)];
        m_column = reference.empty() ? m_column + 1 : ReferenceColumn(reference);
        if (rows.empty() || m_column < 1 || m_column > kMostSheetColumns)
            failed = true;
        m_type = std::string(type);
        m_value.clear();
        m_inlineText.Take();
        m_inCell = true;
    }

    void EndCell()
    {
        m_inCell = false;
        SheetCell cell{m_column, {}, std::nullopt};
        int index = 0;
        if (m_type == "s") {
            if (!ParseDigits(m_value, index) || static_cast<std::size_t>(index) >= m_shared.size())
                failed = true;
            else
                cell.text = m_shared[static_cast<std::size_t>(index)];
        } else if (m_type == "inlineStr") {
            cell.text = m_inlineText.Take();
        } else {
            cell.text = m_value;
            double number = 0;
            if ((m_type.empty() || m_type == "n") && ParseNumber(m_value, number)) {
                cell.number = number;
                cell.percent = m_percentCell;
            }
        }
        if (!failed && !rows.empty() && (!cell.text.empty() || cell.number))
            rows.back().cells.push_back(std::move(cell));
    }

    const std::vector<std::string>& m_shared;
    const std::vector<bool>& m_percent;
    int m_column = 0;
    bool m_percentCell = false;
    std::string m_type;
    std::string m_value;
    RunText m_inlineText;
    bool m_inCell = false;
    bool m_inValue = false;
    bool m_inInline = false;
};

// nullopt when the part was read (or is optional and absent).
std::optional<WorkbookFault>
ReadPart(const ZipArchive& archive, std::string_view name, XmlReader& reader, bool required)
{
    std::string xml;
    switch (archive.Extract(name, kMostWorkbookPartBytes, xml)) {
    case ZipArchive::Extracted::Ok:
        return ParseXml(xml, reader) ? std::nullopt : std::optional(WorkbookFault::Damaged);
    case ZipArchive::Extracted::Missing:
        return required ? std::optional(WorkbookFault::Damaged) : std::nullopt;
    case ZipArchive::Extracted::TooLarge:
        return WorkbookFault::TooLarge;
    case ZipArchive::Extracted::Damaged:
        break;
    }
    return WorkbookFault::Damaged;
}

} // namespace

std::variant<FirstSheet, WorkbookFault> ReadFirstSheet(std::string_view bytes)
{
    const std::optional<ZipArchive> archive = ZipArchive::Open(bytes);
    if (!archive)
        return WorkbookFault::Damaged;
    WorkbookReader workbook;
    if (const auto fault = ReadPart(*archive, "xl/workbook.xml", workbook, false))
        return *fault;
    RelationsReader relations;
    relations.sheetId = workbook.firstSheet;
    if (const auto fault = ReadPart(*archive, "xl/_rels/workbook.xml.rels", relations, false))
        return *fault;
    SharedStringsReader shared;
    if (const auto fault = ReadPart(
            *archive, relations.sharedStrings.value_or("xl/sharedStrings.xml"), shared, false))
        return *fault;
    StylesReader styles;
    if (const auto fault = ReadPart(*archive, "xl/styles.xml", styles, false))
        return *fault;
    SheetReader sheet(shared.strings, styles.percent);
    if (const auto fault =
            ReadPart(*archive, relations.sheet.value_or("xl/worksheets/sheet1.xml"), sheet, true))
        return *fault;
    return FirstSheet{std::move(sheet.rows), workbook.date1904};
}

} // namespace lumavo
