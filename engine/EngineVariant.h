// CEngineVariant: every value a script handles. A number (a 64-bit float
// with a cached integer form), a string (with cached numeric forms), an array
// of up to 64 dimensions that owns its elements, or a reference to a variant
// owned elsewhere (a ByRef argument).
//
// The getters GetString, GetNumber and GetInt work on any variant and cache
// their result in it; builtins read their arguments only through them.
#pragma once

enum VariantType
{
    kVariantNumber = 1,
    kVariantString = 2,
    kVariantArray = 3,
    kVariantReference = 4
};

enum
{
    kMaxArrayDimensions = 64,
    kMaxArrayElements = 16777216
};

class CEngineVariant
{
public:
    CEngineVariant()
        : m_type(kVariantNumber), m_intValid(0), m_numberValid(1), m_intValue(0), m_number(0.0), m_text(nullptr),
          m_target(nullptr), m_array(nullptr)
    {
    }
    CEngineVariant(const CEngineVariant& other);
    CEngineVariant(CEngineVariant&& other) noexcept;
    CEngineVariant& operator=(const CEngineVariant& other) { Assign(other); return *this; }
    CEngineVariant& operator=(CEngineVariant&& other) noexcept
    {
        if (IsPlain() && other.IsPlain()) {
            CopyScalar(other);
            return *this;
        }
        return MoveFrom(other);
    }
    ~CEngineVariant()
    {
        if (!IsPlain())
            ReleaseStorage();
    }

    // A deep copy: caches, text and every existing array element.
    void Assign(const CEngineVariant& other)
    {
        // Numbers without a text form, the bulk of what scripts copy, take
        // the short way; the rest copy their text and elements.
        if (IsPlain() && other.IsPlain())
            CopyScalar(other);
        else
            AssignStorage(other);
    }
    void SetInt(int value)
    {
        if (!IsPlain())
            Reset();
        m_type = kVariantNumber;
        m_intValue = value;
        m_intValid = 1;
        m_number = value;
        m_numberValid = 1;
        m_target = nullptr;
    }
    void SetNumber(double value)
    {
        if (!IsPlain())
            Reset();
        m_type = kVariantNumber;
        m_intValid = 0;
        m_number = value;
        m_numberValid = 1;
        m_target = nullptr;
    }
    void SetString(const char* text);
    void SetString(const char* text, int length);
    void SetReference(CEngineVariant* target);

    // A text or an array's storage is held, which SetInt and the like free.
    bool HoldsStorage() const { return !IsPlain(); }
    // Where its text lives (null without one), for fetching it ahead.
    const void* TextBlock() const { return m_text; }

    int GetType() const { return m_type; }
    bool IsNumber() const { return m_type == kVariantNumber; }
    bool IsString() const { return m_type == kVariantString; }
    bool IsArray() const { return m_type == kVariantArray; }
    bool IsReference() const { return m_type == kVariantReference; }
    // A number equal to (IsInt) or different from (IsFloat) its truncation
    // to a 64-bit integer.
    bool IsInt();
    bool IsFloat();
    CEngineVariant* GetTarget() const { return m_target; }

    // The argument getters.
    const char* GetString();
    int GetStringLength();
    double GetNumber()
    {
        return m_type == kVariantNumber && m_numberValid ? m_number : ConvertToNumber();
    }
    int GetInt() { return m_type == kVariantNumber && m_intValid ? m_intValue : ConvertToInt(); }

    // Conversions in place: a string becomes the number it reads as, a
    // number becomes its text.
    void ToNumber();
    void ToString();

    // Arithmetic in place on the two numeric values; the variant becomes a
    // number. Arrays and references are left unchanged.
    void Add(CEngineVariant& other) { if (!EitherIsContainer(other)) SetNumber(GetNumber() + other.GetNumber()); }
    void Subtract(CEngineVariant& other) { if (!EitherIsContainer(other)) SetNumber(GetNumber() - other.GetNumber()); }
    void Multiply(CEngineVariant& other) { if (!EitherIsContainer(other)) SetNumber(GetNumber() * other.GetNumber()); }
    void Divide(CEngineVariant& other) { if (!EitherIsContainer(other)) SetNumber(GetNumber() / other.GetNumber()); }
    // The integer 1 when the value truncated toward zero is 0, else 0.
    void Not();
    // The variant becomes a string with other's text appended.
    void Concatenate(CEngineVariant& other);

    // Two strings compare as text without regard to case, anything else by
    // the numeric values; EqualExact compares the texts, case counted. All
    // are false when either side is an array or a reference.
    bool Equal(CEngineVariant& other) { return Compare(other) == 0; }
    bool Greater(CEngineVariant& other) { return Compare(other) == 1; }
    bool Less(CEngineVariant& other) { return Compare(other) == -1; }
    bool EqualExact(CEngineVariant& other);
    bool And(CEngineVariant& other);
    bool Or(CEngineVariant& other);
    // A number is true when not 0, a string when not empty; an array or a
    // reference is false.
    bool IsTrue()
    {
        switch (m_type) {
        case kVariantNumber: return GetNumber() != 0.0;
        case kVariantString: return TextLength() != 0;
        default: return false;
        }
    }

    // Arrays. Subscripts are pushed one by one; CreateArray takes them as the
    // dimension sizes, Element as the position of one element.
    void ClearSubscripts() { if (m_array) m_array->SubscriptCount = 0; }
    bool PushSubscript(int subscript);
    int GetSubscriptCount() const { return m_array ? m_array->SubscriptCount : 0; }
    bool SubscriptsValid() const;
    // False (the variant is then the number 0) when there are no sizes, a
    // size below 1, or more than kMaxArrayElements elements in all.
    bool CreateArray();
    // The row-major slot of the current subscripts; -1 when they are not valid.
    int ElementIndex() const;
    // The element at the current subscripts, created as the number 0 on first
    // use; null when the subscripts are not valid.
    CEngineVariant* Element();
    // Sets the subscripts (the first kMaxArrayDimensions of them) and gives
    // Element(): one step for an element access.
    CEngineVariant* ElementAt(const int* subscripts, int count);
    // 0: the dimension count; 1..count: that dimension's size; otherwise 0.
    int DimensionSize(int dimension) const;
    int GetElementCount() const { return m_array ? m_array->ElementCount : 0; }
    // ReDim: the elements of `old` that exist and whose subscripts fit both
    // shapes are copied over, when both have the same number of dimensions.
    void CopyElementsFrom(const CEngineVariant& old);

    // A ByRef argument aliases a variable or an array element for the length
    // of the call. An array that lets go of its elements meanwhile (ReDim,
    // assignment) keeps the pinned ones alive, detached from it, until they
    // are unpinned, so that the alias never points at freed memory.
    static void PinElement(CEngineVariant* element);
    static void UnpinElement(CEngineVariant* element);

private:
    struct ElementChunk;
    // The dimensions, the subscripts and the element slots of an array, kept
    // apart so that the scalars every evaluation handles stay small. A
    // variant has them only while it is an array or has subscripts pushed.
    struct ArrayStorage
    {
        int ElementCount = 0;
        int DimensionCount = 0;
        int Dimensions[kMaxArrayDimensions];     // the first DimensionCount are set
        int SubscriptCount = 0;
        int Subscripts[kMaxArrayDimensions];     // the first SubscriptCount are set
        ElementChunk** Chunks = nullptr;         // the elements, a chunk per kElementChunk slots: null until used
    };
    // The element of slot `index`, its chunk made when it is the chunk's
    // first; the element when its chunk exists, else null.
    static CEngineVariant* ElementOf(ArrayStorage& array, int index);
    static const CEngineVariant* ExistingElement(const ArrayStorage& array, int index);
    // Slots for `count` elements, none used yet.
    static void AllocateSlots(ArrayStorage& array, int count);

    void Reset();
    // No text and no array storage: copying it is copying its fields.
    bool IsPlain() const { return !m_text && !m_array; }
    void CopyScalar(const CEngineVariant& other)
    {
        m_type = other.m_type;
        m_intValue = other.m_intValue;
        m_intValid = other.m_intValid;
        m_number = other.m_number;
        m_numberValid = other.m_numberValid;
        m_target = other.m_target;
    }
    void AssignStorage(const CEngineVariant& other);
    CEngineVariant& MoveFrom(CEngineVariant& other);
    double ConvertToNumber();
    void FreeText();
    void FreeElements();
    // Frees the text and the array storage (the destructor's work).
    void ReleaseStorage();
    // Gives the variant the text, reusing its buffer when it is big enough.
    void StoreText(const char* text, int length);
    // -1, 0 or 1: two strings by their case-folded texts, anything else by
    // the numbers; kUnordered for arrays, references and NaN.
    enum { kUnordered = 2 };
    int Compare(CEngineVariant& other)
    {
        if (m_type == kVariantNumber && other.m_type == kVariantNumber) {
            const double a = GetNumber(), b = other.GetNumber();
            return a < b ? -1 : (a > b ? 1 : (a == b ? 0 : kUnordered));
        }
        return CompareValues(other);
    }
    int CompareValues(CEngineVariant& other);
    int ConvertToInt();
    int CompareTextNoCase(const CEngineVariant& other) const;
    bool EitherIsContainer(const CEngineVariant& other) const
    {
        return m_type == kVariantArray || m_type == kVariantReference || other.m_type == kVariantArray ||
               other.m_type == kVariantReference;
    }
    bool HasElements() const { return m_array && m_array->Chunks; }

    // A text lives in one block: this header, then its characters,
    // zero-terminated; m_text points at the characters, so that a variant
    // stays small (arrays hold many).
    struct TextHeader
    {
        int Length;
        int Capacity;   // bytes for the characters, the zero included
    };
    static TextHeader& HeaderOf(char* text) { return reinterpret_cast<TextHeader*>(text)[-1]; }
    static char* NewText(int capacity);
    static void DeleteText(char* text);
    int TextLength() const { return m_text ? HeaderOf(m_text).Length : 0; }

    // The value's fields, packed; the array's live in m_array.
    unsigned char m_type;
    unsigned char m_intValid;
    unsigned char m_numberValid;
    int m_intValue;
    double m_number;
    char* m_text;
    CEngineVariant* m_target;
    ArrayStorage* m_array;
};
