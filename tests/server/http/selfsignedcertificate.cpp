#include "selfsignedcertificate.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

namespace kestrune::test {

namespace {

template<class T, void (*Free)(T *)> using Owned = std::unique_ptr<T, std::integral_constant<decltype(Free), Free>>;

bool addExtension(X509 *certificate, int nid, const char *value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    Owned<X509_EXTENSION, X509_EXTENSION_free> extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    return extension && X509_add_ext(certificate, extension.get(), -1) == 1;
}

} // namespace

bool writeSelfSignedCertificate(const std::string &certificateFile, const std::string &keyFile)
{
    Owned<EVP_PKEY, EVP_PKEY_free> key(EVP_EC_gen("P-256"));
    Owned<X509, X509_free> certificate(X509_new());
    if (!key || !certificate)
        return false;
    X509 *x = certificate.get();
    X509_set_version(x, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(x), 1);
    X509_gmtime_adj(X509_getm_notBefore(x), -60);
    X509_gmtime_adj(X509_getm_notAfter(x), 24 * 3600);
    X509_set_pubkey(x, key.get());
    X509_NAME *name = X509_get_subject_name(x);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char *>("127.0.0.1"), -1, -1,
                               0);
    X509_set_issuer_name(x, name);
    if (!addExtension(x, NID_basic_constraints, "critical,CA:TRUE")
        || !addExtension(x, NID_subject_alt_name, "IP:127.0.0.1") || X509_sign(x, key.get(), EVP_sha256()) == 0)
        return false;

    Owned<BIO, BIO_free_all> certificateOut(BIO_new_file(certificateFile.c_str(), "w"));
    Owned<BIO, BIO_free_all> keyOut(BIO_new_file(keyFile.c_str(), "w"));
    return certificateOut && keyOut && PEM_write_bio_X509(certificateOut.get(), x) == 1
           && PEM_write_bio_PrivateKey(keyOut.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
}

} // namespace kestrune::test
