// The parameter types of a command definition: one line each. Everything that
// depends on the list (the ParamType enumeration, keywords, sizes, the C++
// type a command holds, the typed setters and getters, the text forms) is
// generated from these lines, so a new type is one new line here plus its
// public accessors in TarnCommand.h.
//
// Include with either or both of these defined; the file undefines both:
//   TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName)
//   TARNLINK_BYTES_TYPE(Id, keyword, CppType, dumpName)
// Id names the enumerator (ParamType::k<Id>) and the TarnCommand accessors
// (SetParam<Id>, GetParam<Id>); keyword is the word of definition files and
// of the parsable text; size is the bytes a value takes in a packet; dumpName
// is the type's name in a command's dump.

#ifndef TARNLINK_INTEGER_TYPE
#    define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName)
#endif
#ifndef TARNLINK_BYTES_TYPE
#    define TARNLINK_BYTES_TYPE(Id, keyword, CppType, dumpName)
#endif

TARNLINK_INTEGER_TYPE(Int8, "INT8", 1, signed char, "signed char")
TARNLINK_INTEGER_TYPE(UInt8, "UINT8", 1, unsigned char, "unsigned char")
TARNLINK_INTEGER_TYPE(Int16, "INT16", 2, short, "short")
TARNLINK_INTEGER_TYPE(UInt16, "UINT16", 2, unsigned short, "unsigned short")
TARNLINK_INTEGER_TYPE(Int32, "INT32", 4, std::int32_t, "int")
TARNLINK_INTEGER_TYPE(UInt32, "UINT32", 4, std::uint32_t, "unsigned int")
TARNLINK_INTEGER_TYPE(Int64, "INT64", 8, std::int64_t, "long long")
TARNLINK_INTEGER_TYPE(UInt64, "UINT64", 8, std::uint64_t, "unsigned long long")
TARNLINK_BYTES_TYPE(Bytes, "BYTES", std::vector<char>, "std::vector<char>")

#undef TARNLINK_INTEGER_TYPE
#undef TARNLINK_BYTES_TYPE
