#include "TlsFiles.h"

#include "core/files/RegularFile.h"

#include <QCoreApplication>
#include <QFile>

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <memory>

using namespace levelconf;

namespace
{
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(TlsFiles)
};

constexpr qint64 kMaxPemBytes = 1024 * 1024;

template <typename T, void (*Free)(T *)> struct Freer {
    void operator()(T *p) const { Free(p); }
};
using Bio = std::unique_ptr<BIO, Freer<BIO, BIO_free_all>>;
using Cert = std::unique_ptr<X509, Freer<X509, X509_free>>;
using Key = std::unique_ptr<EVP_PKEY, Freer<EVP_PKEY, EVP_PKEY_free>>;

// A key with a pass phrase is refused rather than asked for on a terminal nobody watches.
int noPassPhrase(char *, int, int, void *)
{
    return -1;
}

// The bytes of the file, which must be a regular one, in a memory BIO.
Bio pemOf(const QString &path, QString *fault)
{
    QString why;
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxPemBytes, &why);
    if (!bytes) {
        *fault = why;
        return nullptr;
    }
    if (bytes->size() > kMaxPemBytes) {
        *fault = Texts::tr("larger than %1 bytes").arg(kMaxPemBytes);
        return nullptr;
    }
    // A memory BIO of its own: one made on the bytes would outlive them.
    Bio bio(BIO_new(BIO_s_mem()));
    if (bio && BIO_write(bio.get(), bytes->constData(), int(bytes->size())) != bytes->size()) {
        *fault = Texts::tr("cannot be read");
        return nullptr;
    }
    return bio;
}

std::optional<QString> certificatesFault(const QString &path, Cert *first)
{
    QString why;
    const Bio bio = pemOf(path, &why);
    if (!bio)
        return why;
    int count = 0;
    while (X509 *c = PEM_read_bio_X509(bio.get(), nullptr, noPassPhrase, nullptr)) {
        if (count++ == 0 && first)
            first->reset(c);
        else
            X509_free(c);
    }
    ERR_clear_error();
    if (count == 0)
        return Texts::tr("holds no certificate in PEM form");
    return std::nullopt;
}

std::optional<QString> keyFault(const QString &path, Key *key)
{
    QString why;
    const Bio bio = pemOf(path, &why);
    if (!bio)
        return why;
    key->reset(PEM_read_bio_PrivateKey(bio.get(), nullptr, noPassPhrase, nullptr));
    const unsigned long error = ERR_peek_last_error();
    ERR_clear_error();
    if (*key)
        return std::nullopt;
    // A key under a pass phrase fails for want of one.
    if (ERR_GET_REASON(error) == PEM_R_BAD_PASSWORD_READ ||
        ERR_GET_REASON(error) == PEM_R_PROBLEMS_GETTING_PASSWORD)
        return Texts::tr("the key is encrypted; give it without a pass phrase, readable by the "
                         "gateway alone");
    return Texts::tr("holds no private key in PEM form");
}

QString named(const QString &path, const QString &fault)
{
    return path + QStringLiteral(": ") + fault;
}
} // namespace

std::optional<QString> tlsFilesFault(const QString &caFile, const QString &certFile,
                                     const QString &keyFile)
{
    if (!caFile.isEmpty()) {
        if (const auto fault = certificatesFault(caFile, nullptr))
            return named(caFile, *fault);
    }
    if (certFile.isEmpty() != keyFile.isEmpty())
        return Texts::tr("a client certificate (--cert-file) and its key (--key-file) go "
                         "together");
    if (certFile.isEmpty())
        return std::nullopt;
    Cert cert;
    if (const auto fault = certificatesFault(certFile, &cert))
        return named(certFile, *fault);
    if (X509_cmp_current_time(X509_get0_notAfter(cert.get())) < 0)
        return named(certFile, Texts::tr("the certificate has expired"));
    Key key;
    if (const auto fault = keyFault(keyFile, &key))
        return named(keyFile, *fault);
    if (X509_check_private_key(cert.get(), key.get()) != 1) {
        ERR_clear_error();
        return named(keyFile, Texts::tr("not the key of the certificate in %1").arg(certFile));
    }
    return std::nullopt;
}
