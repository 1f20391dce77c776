#pragma once
// The names a version resource gives its program in its string tables, and
// whether a downloaded build names the same product as the running one. A
// publisher signs more programs than this one; a newer file version and the
// publisher's signature alone would let whoever answers for the service host
// put any of them in the launcher's place. The resource comes from a file
// the system loader never sees, so every length in it is checked against the
// block that holds it before anything is read.
#include <optional>
#include <string>

// The values that tell this product from the publisher's other programs.
struct ProductIdentity {
    std::u16string companyName, productName, originalFilename, internalName;
};

bool operator==(const ProductIdentity& a, const ProductIdentity& b);
bool operator!=(const ProductIdentity& a, const ProductIdentity& b);

// The identity a version resource (VS_VERSIONINFO) states in its one
// StringFileInfo: each of the four values once and not empty in every string
// table, alike in all of them. Empty when any block on the way is malformed
// (a length past the block that holds it, a key without its end, a value
// past its block's end), when a table lacks or repeats one of the four, or
// when the tables disagree.
std::optional<ProductIdentity> ProductIdentityOf(const std::string& versionResource);

// Whether both resources state an identity, and the same one.
bool IsSameProduct(const std::string& candidateResource, const std::string& runningResource);
