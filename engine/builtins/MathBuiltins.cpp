// Maths, bit and type builtins. Results outside the real numbers (the square
// root of -1, the logarithm of 0) are the IEEE values and no error.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/NumberConversion.h"
#include "engine/Random.h"
#include "engine/support/TextHelpers.h"

#include <math.h>

namespace {

double Argument(CVariantList& args, int index)
{
    return args.GetItem(index).GetNumber();
}

// The 32-bit pattern of an argument.
unsigned Bits(CVariantList& args, int index)
{
    return static_cast<unsigned>(args.GetItem(index).GetInt());
}

int FromBits(unsigned bits)
{
    return static_cast<int>(bits);
}

int BuiltinAbs(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(fabs(Argument(args, 0)));
    return 0;
}

int BuiltinSin(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(sin(Argument(args, 0)));
    return 0;
}

int BuiltinCos(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(cos(Argument(args, 0)));
    return 0;
}

int BuiltinTan(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(tan(Argument(args, 0)));
    return 0;
}

int BuiltinAsin(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(asin(Argument(args, 0)));
    return 0;
}

int BuiltinAcos(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(acos(Argument(args, 0)));
    return 0;
}

int BuiltinAtan(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(atan(Argument(args, 0)));
    return 0;
}

int BuiltinExp(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(exp(Argument(args, 0)));
    return 0;
}

int BuiltinLog(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(log(Argument(args, 0)));
    return 0;
}

int BuiltinSqrt(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(sqrt(Argument(args, 0)));
    return 0;
}

int BuiltinMod(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(fmod(Argument(args, 0), Argument(args, 1)));
    return 0;
}

int BuiltinRound(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const double x = Argument(args, 0);
    const double digits = Argument(args, 1);
    // Halves away from zero. For negative digits the value is divided by the
    // exact power of ten rather than multiplied by its inexact inverse.
    const double scale = pow(10.0, fabs(digits));
    double rounded;
    if (digits >= 0)
        rounded = (x >= 0 ? floor(x * scale + 0.5) : ceil(x * scale - 0.5)) / scale;
    else
        rounded = (x >= 0 ? floor(x / scale + 0.5) : ceil(x / scale - 0.5)) * scale;
    result.SetNumber(rounded);
    return 0;
}

int BuiltinInt(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetNumber(static_cast<double>(DoubleToInt64(Argument(args, 0))));
    return 0;
}

int BuiltinRandom(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const int count = args.GetCount();
    if (count == 0) {
        result.SetNumber(g_MersenneTwister.NextDouble());
        return 0;
    }
    if (count == 1) {
        if (!args.GetItem(0).IsNumber()) {
            context.SetError(1);
            return 0;
        }
        const double max = Argument(args, 0);
        if (!(max > 0)) {
            context.SetError(2);
            return 0;
        }
        result.SetNumber(g_MersenneTwister.NextDouble() * max);
        return 0;
    }
    if (args.GetItem(0).IsArray() || args.GetItem(1).IsArray()) {
        context.SetError(1);
        return 0;
    }
    const double min = Argument(args, 0);
    const double max = Argument(args, 1);
    if (!(min < max)) {
        context.SetError(2);
        return 0;
    }
    result.SetNumber(min + g_MersenneTwister.NextDouble() * (max - min));
    return 0;
}

int BuiltinBitAnd(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    unsigned bits = Bits(args, 0);
    for (int i = 1; i < args.GetCount(); ++i)
        bits &= Bits(args, i);
    result.SetInt(FromBits(bits));
    return 0;
}

int BuiltinBitOr(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    unsigned bits = Bits(args, 0);
    for (int i = 1; i < args.GetCount(); ++i)
        bits |= Bits(args, i);
    result.SetInt(FromBits(bits));
    return 0;
}

int BuiltinBitXor(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    unsigned bits = Bits(args, 0);
    for (int i = 1; i < args.GetCount(); ++i)
        bits ^= Bits(args, i);
    result.SetInt(FromBits(bits));
    return 0;
}

int BuiltinBitNot(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(FromBits(~Bits(args, 0)));
    return 0;
}

int BuiltinBitShift(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const int value = args.GetItem(0).GetInt();
    const long long shift = args.GetItem(1).GetInt();
    if (shift >= 0) {
        // Right, copying the sign bit.
        const int count = static_cast<int>(shift % 32);
        result.SetInt(value >> count);
    } else {
        const int count = static_cast<int>((-shift) % 32);
        result.SetInt(FromBits(static_cast<unsigned>(value) << count));
    }
    return 0;
}

int BuiltinAsc(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(static_cast<unsigned char>(args.GetItem(0).GetString()[0]));
    return 0;
}

int BuiltinChr(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& value = args.GetItem(0);
    const char ch = value.IsNumber() ? static_cast<char>(value.GetInt() & 0xFF) : '\0';
    result.SetString(&ch, ch ? 1 : 0);
    return 0;
}

int BuiltinDec(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    DWORD value = 0;
    if (!EngineSupport::ParseHex(args.GetItem(0).GetString(), value)) {
        result.SetInt(0);
        context.SetError(1);
        return 0;
    }
    result.SetInt(static_cast<int>(value));
    return 0;
}

int BuiltinHex(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const int digits = args.GetItem(1).GetInt();
    // A negative count is refused like one that is too large.
    if (digits < 0 || digits >= 9) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    char text[9];
    if (!EngineSupport::FormatHex(static_cast<DWORD>(args.GetItem(0).GetInt()), text, digits))
        context.SetError(1);
    result.SetString(text);
    return 0;
}

int BuiltinIsArray(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(args.GetItem(0).IsArray() ? 1 : 0);
    return 0;
}

int BuiltinIsString(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(args.GetItem(0).IsString() ? 1 : 0);
    return 0;
}

int BuiltinIsNumber(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(args.GetItem(0).IsNumber() ? 1 : 0);
    return 0;
}

int BuiltinIsInt(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(args.GetItem(0).IsInt() ? 1 : 0);
    return 0;
}

int BuiltinIsFloat(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(args.GetItem(0).IsFloat() ? 1 : 0);
    return 0;
}

int BuiltinNumber(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& value = args.GetItem(0);
    if (value.IsString())
        result.SetNumber(value.GetNumber());
    else
        result = value;
    return 0;
}

int BuiltinString(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& value = args.GetItem(0);
    if (value.IsNumber())
        result.SetString(value.GetString());
    else
        result = value;
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"ABS", BuiltinAbs},
    {"ACOS", BuiltinAcos},
    {"ASC", BuiltinAsc},
    {"ASIN", BuiltinAsin},
    {"ATAN", BuiltinAtan},
    {"BITAND", BuiltinBitAnd},
    {"BITNOT", BuiltinBitNot},
    {"BITOR", BuiltinBitOr},
    {"BITSHIFT", BuiltinBitShift},
    {"BITXOR", BuiltinBitXor},
    {"CHR", BuiltinChr},
    {"COS", BuiltinCos},
    {"DEC", BuiltinDec},
    {"EXP", BuiltinExp},
    {"HEX", BuiltinHex},
    {"INT", BuiltinInt},
    {"ISARRAY", BuiltinIsArray},
    {"ISFLOAT", BuiltinIsFloat},
    {"ISINT", BuiltinIsInt},
    {"ISNUMBER", BuiltinIsNumber},
    {"ISSTRING", BuiltinIsString},
    {"LOG", BuiltinLog},
    {"MOD", BuiltinMod},
    {"NUMBER", BuiltinNumber},
    {"RANDOM", BuiltinRandom},
    {"ROUND", BuiltinRound},
    {"SIN", BuiltinSin},
    {"SQRT", BuiltinSqrt},
    {"STRING", BuiltinString},
    {"TAN", BuiltinTan},
};

}  // namespace

extern const BuiltinFamily kMathBuiltins = MakeBuiltinFamily("maths", kBindings);
