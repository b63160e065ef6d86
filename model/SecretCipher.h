#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

typedef struct evp_cipher_ctx_st EVP_CIPHER_CTX;

// Passwords, access codes and login names are never stored as plain text:
// they are kept as the lowercase hexadecimal form of their AES-256-CBC
// encryption under a key and IV derived from a fixed pass phrase and salt.
// The same text therefore always gives the same stored string. No state is
// kept between calls; every call derives key and IV afresh and releases its
// cipher contexts and buffers before it returns.
class SecretCipher {
public:
    // The stored form of text: backslashes doubled, local 8-bit encoding,
    // one NUL appended, encrypted, every byte as two lowercase hex digits.
    // Empty only if the cipher cannot be set up.
    static QString encryptSecret(const QString &text);
    // The text of a stored string; empty when it cannot be decoded.
    static QString decryptSecret(const QString &stored);

    // The two salt constants (bytes 0-3 and 4-7 of the salt, each
    // little-endian). Stored strings can only be read back under these.
    static constexpr uint32_t saltFirst = 0x5d1c3a97u;
    static constexpr uint32_t saltSecond = 0x0be8f462u;

private:
    static bool hexToBytes(const QByteArray &hex, QByteArray *bytes);
    static bool initSecretCipher(const unsigned char *passPhrase, int passLength,
                                 const unsigned char *salt,
                                 EVP_CIPHER_CTX *encryptContext,
                                 EVP_CIPHER_CTX *decryptContext);
    static QByteArray encryptBytes(EVP_CIPHER_CTX *context, const unsigned char *input,
                                   int length);
    static QByteArray decryptBytes(EVP_CIPHER_CTX *context, const unsigned char *input,
                                   int length);
    static void saltBytes(unsigned char salt[8]);
};
