#include "engine/EngineVariant.h"

#include "engine/NumberConversion.h"
#include "framework/String.h"

#include <math.h>
#include <string.h>

#include <unordered_map>

namespace {

bool IsHexText(const char* text)
{
    return text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

int HexTextValue(const char* text, int length)
{
    int value = 0;
    ReadHexDigits(text + 2, length - 2, value);   // a bad digit leaves 0
    return value;
}

// Elements are made in chunks of this many neighbouring slots: filling an
// array then costs an allocation per chunk, not one per element, while a
// sparsely used large array still pays only for the chunks it touches. A
// chunk's elements all exist from its making, as the number 0.
const int kElementChunkShift = 4;
const int kElementChunk = 1 << kElementChunkShift;

int ChunkCount(int elementCount)
{
    return (elementCount + kElementChunk - 1) / kElementChunk;
}

}  // namespace

struct CEngineVariant::ElementChunk
{
    CEngineVariant Items[kElementChunk];
    int Detached = 0;   // pinned items kept alive after their array let go of them
};

namespace {

// The elements that ByRef arguments alias, with the number of aliases each,
// and those of them that their array has let go of, with the chunk that
// holds each (a template only so that it can name the variant's own chunk type).
std::unordered_map<CEngineVariant*, int>& PinnedElements()
{
    static std::unordered_map<CEngineVariant*, int> pinned;
    return pinned;
}

template <typename Chunk>
std::unordered_map<CEngineVariant*, Chunk*>& DetachedElements()
{
    static std::unordered_map<CEngineVariant*, Chunk*> detached;
    return detached;
}

}  // namespace

void CEngineVariant::PinElement(CEngineVariant* element)
{
    if (element)
        ++PinnedElements()[element];
}

void CEngineVariant::UnpinElement(CEngineVariant* element)
{
    std::unordered_map<CEngineVariant*, int>& pinned = PinnedElements();
    std::unordered_map<CEngineVariant*, int>::iterator found = pinned.find(element);
    if (found == pinned.end() || --found->second > 0)
        return;
    pinned.erase(found);
    std::unordered_map<CEngineVariant*, ElementChunk*>& detached = DetachedElements<ElementChunk>();
    auto kept = detached.find(element);
    if (kept == detached.end())
        return;
    ElementChunk* chunk = kept->second;
    detached.erase(kept);
    if (--chunk->Detached == 0)
        delete chunk;
}

void CEngineVariant::AllocateSlots(ArrayStorage& array, int count)
{
    array.Chunks = new ElementChunk*[static_cast<size_t>(ChunkCount(count))]();
    array.ElementCount = count;
}

CEngineVariant* CEngineVariant::ElementOf(ArrayStorage& array, int index)
{
    ElementChunk*& chunk = array.Chunks[index >> kElementChunkShift];
    if (!chunk)
        chunk = new ElementChunk;
    return &chunk->Items[index & (kElementChunk - 1)];
}

const CEngineVariant* CEngineVariant::ExistingElement(const ArrayStorage& array, int index)
{
    const ElementChunk* chunk = array.Chunks[index >> kElementChunkShift];
    return chunk ? &chunk->Items[index & (kElementChunk - 1)] : nullptr;
}

char* CEngineVariant::NewText(int capacity)
{
    char* block = new char[sizeof(TextHeader) + static_cast<size_t>(capacity)];
    TextHeader* header = reinterpret_cast<TextHeader*>(block);
    header->Length = 0;
    header->Capacity = capacity;
    return block + sizeof(TextHeader);
}

void CEngineVariant::DeleteText(char* text)
{
    if (text)
        delete[] (text - sizeof(TextHeader));
}

CEngineVariant::CEngineVariant(const CEngineVariant& other) : CEngineVariant()
{
    Assign(other);
}

CEngineVariant::CEngineVariant(CEngineVariant&& other) noexcept : CEngineVariant()
{
    *this = static_cast<CEngineVariant&&>(other);
}

CEngineVariant& CEngineVariant::MoveFrom(CEngineVariant& other)
{
    if (&other == this)
        return *this;
    Reset();
    delete m_array;
    m_type = other.m_type;
    m_intValue = other.m_intValue;
    m_intValid = other.m_intValid;
    m_number = other.m_number;
    m_numberValid = other.m_numberValid;
    m_text = other.m_text;
    m_target = other.m_target;
    m_array = other.m_array;
    other.m_text = nullptr;
    other.m_array = nullptr;
    other.Reset();
    return *this;
}

void CEngineVariant::ReleaseStorage()
{
    FreeText();
    FreeElements();
    delete m_array;
    m_array = nullptr;
}

void CEngineVariant::FreeText()
{
    DeleteText(m_text);
    m_text = nullptr;
}

void CEngineVariant::FreeElements()
{
    if (!m_array)
        return;
    if (m_array->Chunks) {
        // A chunk that holds an element an alias still points at stays
        // until the last such element is unpinned.
        const std::unordered_map<CEngineVariant*, int>& pinned = PinnedElements();
        const int chunks = ChunkCount(m_array->ElementCount);
        for (int c = 0; c < chunks; ++c) {
            ElementChunk* chunk = m_array->Chunks[c];
            if (!chunk)
                continue;
            if (!pinned.empty()) {
                for (CEngineVariant& item : chunk->Items) {
                    if (pinned.count(&item)) {
                        DetachedElements<ElementChunk>()[&item] = chunk;
                        ++chunk->Detached;
                    }
                }
            }
            if (!chunk->Detached)
                delete chunk;
        }
        delete[] m_array->Chunks;
        m_array->Chunks = nullptr;
    }
    m_array->ElementCount = 0;
    m_array->DimensionCount = 0;
}

void CEngineVariant::Reset()
{
    if (m_text)
        FreeText();
    if (m_array) {
        FreeElements();
        // Subscripts pushed for a CreateArray to come are kept.
        if (m_array->SubscriptCount == 0) {
            delete m_array;
            m_array = nullptr;
        }
    }
    m_type = kVariantNumber;
    m_intValue = 0;
    m_intValid = 0;
    m_number = 0.0;
    m_numberValid = 1;
    m_target = nullptr;
}

void CEngineVariant::StoreText(const char* text, int length)
{
    if (m_text && HeaderOf(m_text).Capacity >= length + 1) {
        memmove(m_text, text, static_cast<size_t>(length));   // text may be our own
    } else {
        char* buffer = NewText(length + 1);
        memcpy(buffer, text, static_cast<size_t>(length));
        DeleteText(m_text);
        m_text = buffer;
    }
    m_text[length] = '\0';
    HeaderOf(m_text).Length = length;
}

void CEngineVariant::AssignStorage(const CEngineVariant& other)
{
    if (&other == this)
        return;
    if (HasElements() || other.HasElements()) {
        // `other` may be one of our own elements: copy it before letting them go.
        if (HasElements()) {
            CEngineVariant copy(other);
            *this = static_cast<CEngineVariant&&>(copy);
            return;
        }
        Reset();
        const ArrayStorage& from = *other.m_array;
        if (!m_array)
            m_array = new ArrayStorage;
        m_array->DimensionCount = from.DimensionCount;
        memcpy(m_array->Dimensions, from.Dimensions, sizeof(int) * static_cast<size_t>(from.DimensionCount));
        AllocateSlots(*m_array, from.ElementCount);
        for (int i = 0; i < from.ElementCount; ++i)
            if (const CEngineVariant* element = ExistingElement(from, i))
                ElementOf(*m_array, i)->Assign(*element);
        CopyScalar(other);
        if (other.m_text)
            StoreText(other.m_text, HeaderOf(other.m_text).Length);
        return;
    }
    // A text buffer that is big enough is reused: values are copied into
    // the same variants over and over (operands, arguments).
    if (other.m_text)
        StoreText(other.m_text, HeaderOf(other.m_text).Length);
    else if (m_text)
        FreeText();
    CopyScalar(other);
}

void CEngineVariant::SetString(const char* text)
{
    SetString(text, text ? static_cast<int>(strlen(text)) : 0);
}

void CEngineVariant::SetString(const char* text, int length)
{
    if (HasElements()) {
        // The text may belong to one of our own elements.
        CEngineVariant copy;
        copy.SetString(text, length);
        *this = static_cast<CEngineVariant&&>(copy);
        return;
    }
    // The text buffer is kept for reuse (the lexer refills the same tokens
    // line after line); everything else is reset.
    m_type = kVariantString;
    m_target = nullptr;
    m_intValid = 0;
    m_numberValid = 0;
    StoreText(text ? text : "", text ? length : 0);
}

void CEngineVariant::SetReference(CEngineVariant* target)
{
    Reset();
    m_type = kVariantReference;
    m_target = target;
}

bool CEngineVariant::IsInt()
{
    if (m_type != kVariantNumber)
        return false;
    double value = GetNumber();
    return value == static_cast<double>(DoubleToInt64(value));
}

bool CEngineVariant::IsFloat()
{
    return m_type == kVariantNumber && !IsInt();
}

const char* CEngineVariant::GetString()
{
    if (!m_text) {
        if (m_type == kVariantNumber) {
            char buffer[kNumberTextSize];
            int length = FormatNumber(GetNumber(), buffer);
            StoreText(buffer, length);
        } else {
            StoreText("", 0);
        }
    }
    return m_text;
}

int CEngineVariant::GetStringLength()
{
    GetString();
    return HeaderOf(m_text).Length;
}

double CEngineVariant::ConvertToNumber()
{
    switch (m_type) {
    case kVariantNumber:
        if (!m_numberValid) {
            m_number = m_intValue;
            m_numberValid = 1;
        }
        return m_number;
    case kVariantString:
        if (!m_numberValid) {
            m_number = IsHexText(m_text) ? HexTextValue(m_text, TextLength()) : ReadDecimalNumber(m_text);
            m_numberValid = 1;
        }
        return m_number;
    default:
        return 0.0;
    }
}

int CEngineVariant::ConvertToInt()
{
    switch (m_type) {
    case kVariantNumber:
        if (!m_intValid) {
            // Within the int range truncation is the whole rule.
            m_intValue = m_number >= -2147483648.0 && m_number < 2147483648.0 ? static_cast<int>(m_number)
                                                                              : DoubleToInt32(m_number);
            m_intValid = 1;
        }
        return m_intValue;
    case kVariantString:
        if (!m_intValid) {
            m_intValue = IsHexText(m_text) ? HexTextValue(m_text, TextLength()) : ReadDecimalInteger(m_text);
            m_intValid = 1;
        }
        return m_intValue;
    default:
        return 0;
    }
}

void CEngineVariant::ToNumber()
{
    if (m_type == kVariantString)
        SetNumber(GetNumber());
}

void CEngineVariant::ToString()
{
    if (m_type != kVariantNumber)
        return;
    GetString();
    m_type = kVariantString;
    m_intValid = 0;
    m_numberValid = 0;
}

void CEngineVariant::Not()
{
    if (m_type == kVariantArray || m_type == kVariantReference)
        return;
    // NaN truncates to NaN, which is not 0: NOT of it is 0, as its truth is true.
    SetInt(trunc(GetNumber()) == 0.0 ? 1 : 0);
}

void CEngineVariant::Concatenate(CEngineVariant& other)
{
    if (EitherIsContainer(other))
        return;
    ToString();
    if (&other == this) {
        CEngineVariant copy(other);
        Concatenate(copy);
        return;
    }
    const char* tail = other.GetString();
    const int length = TextLength();
    const int tailLength = other.TextLength();
    const int newLength = length + tailLength;
    if (HeaderOf(m_text).Capacity < newLength + 1) {
        char* buffer = NewText(2 * newLength + 1);
        memcpy(buffer, m_text, static_cast<size_t>(length));
        DeleteText(m_text);
        m_text = buffer;
    }
    memcpy(m_text + length, tail, static_cast<size_t>(tailLength));
    HeaderOf(m_text).Length = newLength;
    m_text[newLength] = '\0';
    m_intValid = 0;
    m_numberValid = 0;
}

int CEngineVariant::CompareTextNoCase(const CEngineVariant& other) const
{
    const int ownLength = TextLength(), otherLength = other.TextLength();
    const int length = ownLength < otherLength ? ownLength : otherLength;
    for (int i = 0; i < length; ++i) {
        unsigned char a = static_cast<unsigned char>(FoldCharLower(m_text[i]));
        unsigned char b = static_cast<unsigned char>(FoldCharLower(other.m_text[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return ownLength == otherLength ? 0 : (ownLength < otherLength ? -1 : 1);
}

int CEngineVariant::CompareValues(CEngineVariant& other)
{
    if (EitherIsContainer(other))
        return kUnordered;
    if (m_type == kVariantString && other.m_type == kVariantString)
        return CompareTextNoCase(other);
    double a = GetNumber(), b = other.GetNumber();
    return a < b ? -1 : (a > b ? 1 : (a == b ? 0 : kUnordered));
}

bool CEngineVariant::EqualExact(CEngineVariant& other)
{
    if (EitherIsContainer(other))
        return false;
    int length = GetStringLength();
    return length == other.GetStringLength() &&
           memcmp(m_text, other.m_text, static_cast<size_t>(length)) == 0;
}

bool CEngineVariant::And(CEngineVariant& other)
{
    return !EitherIsContainer(other) && IsTrue() && other.IsTrue();
}

bool CEngineVariant::Or(CEngineVariant& other)
{
    return !EitherIsContainer(other) && (IsTrue() || other.IsTrue());
}

bool CEngineVariant::PushSubscript(int subscript)
{
    if (!m_array)
        m_array = new ArrayStorage;
    if (m_array->SubscriptCount >= kMaxArrayDimensions)
        return false;
    m_array->Subscripts[m_array->SubscriptCount++] = subscript;
    return true;
}

bool CEngineVariant::SubscriptsValid() const
{
    if (m_type != kVariantArray || !m_array || m_array->SubscriptCount != m_array->DimensionCount)
        return false;
    for (int i = 0; i < m_array->SubscriptCount; ++i)
        if (m_array->Subscripts[i] < 0 || m_array->Subscripts[i] >= m_array->Dimensions[i])
            return false;
    return true;
}

bool CEngineVariant::CreateArray()
{
    const int count = m_array ? m_array->SubscriptCount : 0;
    int sizes[kMaxArrayDimensions];
    if (count)
        memcpy(sizes, m_array->Subscripts, sizeof(int) * static_cast<size_t>(count));
    if (m_array)
        m_array->SubscriptCount = 0;
    Reset();
    if (count == 0)
        return false;
    // The product is checked at each step, so it cannot overflow.
    long long total = 1;
    for (int i = 0; i < count; ++i) {
        if (sizes[i] < 1)
            return false;
        total *= sizes[i];
        if (total > kMaxArrayElements)
            return false;
    }
    m_array = new ArrayStorage;
    AllocateSlots(*m_array, static_cast<int>(total));
    m_array->DimensionCount = count;
    memcpy(m_array->Dimensions, sizes, sizeof(int) * static_cast<size_t>(count));
    m_type = kVariantArray;
    m_numberValid = 0;
    return true;
}

int CEngineVariant::ElementIndex() const
{
    if (!SubscriptsValid())
        return -1;
    int index = 0;
    for (int i = 0; i < m_array->DimensionCount; ++i)
        index = index * m_array->Dimensions[i] + m_array->Subscripts[i];
    return index;
}

CEngineVariant* CEngineVariant::Element()
{
    const int index = ElementIndex();
    if (index < 0)
        return nullptr;
    return ElementOf(*m_array, index);
}

CEngineVariant* CEngineVariant::ElementAt(const int* subscripts, int count)
{
    if (m_type != kVariantArray || !m_array)
        return nullptr;
    ArrayStorage& array = *m_array;
    if (count > kMaxArrayDimensions)
        count = kMaxArrayDimensions;
    array.SubscriptCount = count;
    int index = 0;
    bool valid = count == array.DimensionCount;
    for (int i = 0; i < count; ++i) {
        const int subscript = subscripts[i];
        array.Subscripts[i] = subscript;
        valid = valid && subscript >= 0 && subscript < array.Dimensions[i];
        index = index * array.Dimensions[i] + subscript;
    }
    if (!valid)
        return nullptr;
    return ElementOf(array, index);
}

int CEngineVariant::DimensionSize(int dimension) const
{
    if (m_type != kVariantArray || !m_array)
        return 0;
    if (dimension == 0)
        return m_array->DimensionCount;
    return dimension >= 1 && dimension <= m_array->DimensionCount ? m_array->Dimensions[dimension - 1] : 0;
}

void CEngineVariant::CopyElementsFrom(const CEngineVariant& old)
{
    if (&old == this || m_type != kVariantArray || old.m_type != kVariantArray || !HasElements() ||
        !old.HasElements() || old.m_array->DimensionCount == 0 ||
        old.m_array->DimensionCount != m_array->DimensionCount)
        return;
    const ArrayStorage& from = *old.m_array;
    ArrayStorage& to = *m_array;
    for (int slot = 0; slot < from.ElementCount; ++slot) {
        const CEngineVariant* element = ExistingElement(from, slot);
        if (!element)
            continue;   // never touched: stays untouched here too
        // The slot's subscripts, last one fastest; each must fit the new shape.
        int rest = slot;
        int index = 0;
        int scale = 1;
        bool fits = true;
        for (int i = to.DimensionCount - 1; i >= 0; --i) {
            const int subscript = rest % from.Dimensions[i];
            rest /= from.Dimensions[i];
            if (subscript >= to.Dimensions[i]) {
                fits = false;
                break;
            }
            index += subscript * scale;
            scale *= to.Dimensions[i];
        }
        if (!fits)
            continue;
        ElementOf(to, index)->Assign(*element);
    }
}
