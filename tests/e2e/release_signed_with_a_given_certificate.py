"""Signing a release. With a throwaway code-signing certificate (made here with openssl) and a
time-stamp authority of our own (openssl's, served over HTTP on this machine), make-release
signs both programs and the installer: osslsigncode verifies all three signatures and their
RFC 3161 time stamps, and the programs inside the installer and the zip are the signed ones,
byte for byte the same. A wrong password makes no release at all. The release written without
a certificate (MIREBORA_RELEASE_DIR) is not signed."""

import http.server
import os
import subprocess
import sys
import tempfile
import threading
import zipfile
from pathlib import Path

VERSION = os.environ["MIREBORA_VERSION"]
BUILD = Path(os.environ["MIREBORA_BUILD"])
RELEASE = Path(os.environ["MIREBORA_RELEASE_DIR"])
MAKE_RELEASE = BUILD / "packaging" / "make-release"
NAME = "ミレボラ"
PROGRAMS = (f"{NAME}.scr", f"{NAME}.dll")
PASSWORD = "throwaway パスワード"

failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def openssl(*arguments, cwd):
    result = run("openssl", *arguments, cwd=cwd)
    if result.returncode != 0:
        sys.exit(f"openssl {' '.join(arguments)} failed:\n{result.stderr}")


def make_certificates(folder):
    """A self-signed code-signing certificate in signer.pfx (signer.pem beside it), and a
    self-signed time-stamping one with the configuration `openssl ts` answers with."""
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-keyout",
            "signer.key", "-out", "signer.pem", "-subj", "/CN=Mirebora throwaway signer",
            "-addext", "keyUsage=critical,digitalSignature",
            "-addext", "extendedKeyUsage=codeSigning", cwd=folder)
    openssl("pkcs12", "-export", "-inkey", "signer.key", "-in", "signer.pem", "-out",
            "signer.pfx", "-passout", f"pass:{PASSWORD}", cwd=folder)
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-keyout",
            "tsa.key", "-out", "tsa.pem", "-subj", "/CN=Mirebora throwaway time stamps",
            "-addext", "keyUsage=critical,digitalSignature",
            "-addext", "extendedKeyUsage=critical,timeStamping", cwd=folder)
    (folder / "tsa.serial").write_text("01\n")
    (folder / "tsa.cnf").write_text(f"""[tsa]
default_tsa = throwaway
[throwaway]
serial = {folder}/tsa.serial
signer_cert = {folder}/tsa.pem
signer_key = {folder}/tsa.key
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
""")


def start_time_stamp_authority(folder):
    """An RFC 3161 time-stamp authority at http://127.0.0.1:PORT/: each request is answered
    by `openssl ts -reply`. Returns the server and the list of requests it has answered."""
    answered = []

    class Authority(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            query = self.rfile.read(int(self.headers["Content-Length"]))
            with tempfile.TemporaryDirectory() as scratch:
                (Path(scratch) / "query").write_bytes(query)
                result = run("openssl", "ts", "-reply", "-config", str(folder / "tsa.cnf"),
                             "-queryfile", "query", "-out", "reply", cwd=scratch)
                reply = (Path(scratch) / "reply").read_bytes() if result.returncode == 0 else b""
            self.send_response(200 if reply else 500)
            self.send_header("Content-Type", "application/timestamp-reply")
            self.send_header("Content-Length", str(len(reply)))
            self.end_headers()
            self.wfile.write(reply)
            answered.append(result.returncode)

        def log_message(self, *arguments):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Authority)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, answered


def verify(path, folder):
    """osslsigncode's verdict on the signature of `path`, trusting the throwaway
    certificates: (it verifies, what it said)."""
    result = run("osslsigncode", "verify", "-CAfile", str(folder / "signer.pem"),
                 "-TSA-CAfile", str(folder / "tsa.pem"), "-in", str(path))
    return result.returncode == 0, result.stdout + result.stderr


def programs_in_zip(portable):
    with zipfile.ZipFile(portable) as archive:
        return {program: archive.read(f"{NAME}/{program}") for program in PROGRAMS}


def programs_in_installer(installer, folder):
    target = folder / "unpacked"
    result = run("msiextract", "-C", str(target), str(installer))
    expect(result.returncode == 0, f"msiextract {installer.name}: {result.stderr}")
    found = {}
    for program in PROGRAMS:
        paths = list(target.rglob(program))
        expect(len(paths) == 1, f"{installer.name} holds {len(paths)} files {program}")
        if paths:
            found[program] = paths[0].read_bytes()
    return found


def release_with(environment, out):
    return run(str(MAKE_RELEASE), "--out", str(out), env={**os.environ, **environment})


def main():
    with tempfile.TemporaryDirectory() as folder_name:
        folder = Path(folder_name)
        make_certificates(folder)
        server, answered = start_time_stamp_authority(folder)
        signing = {"MIREBORA_SIGN_PFX": str(folder / "signer.pfx"),
                   "MIREBORA_SIGN_PASSWORD": PASSWORD,
                   "MIREBORA_TIMESTAMP_URL": f"http://127.0.0.1:{server.server_port}/"}

        refused = release_with({**signing, "MIREBORA_SIGN_PASSWORD": "wrong"}, folder / "wrong")
        expect(refused.returncode != 0, "a wrong password still made a release")
        expect(not list((folder / "wrong").glob("Mirebora-*")),
               f"a wrong password left {list((folder / 'wrong').glob('*'))}")

        made = release_with(signing, folder / "signed")
        server.shutdown()
        if made.returncode != 0:
            sys.exit(f"make-release with a certificate failed:\n{made.stdout}{made.stderr}")
        print(made.stdout, end="")
        installer = folder / "signed" / f"Mirebora-{VERSION}-x64.msi"
        portable = folder / "signed" / f"Mirebora-{VERSION}-x64-portable.zip"

        ok, said = verify(installer, folder)
        expect(ok and "Timestamp" in said, f"the installer's signature:\n{said}")
        zipped = programs_in_zip(portable)
        installed = programs_in_installer(installer, folder)
        for program in PROGRAMS:
            expect(zipped[program] == installed.get(program),
                   f"{program} differs between the installer and the zip")
            expect(zipped[program] != (BUILD / "dist" / program).read_bytes(),
                   f"{program} in the zip is the unsigned one of dist/")
            path = folder / program
            path.write_bytes(zipped[program])
            ok, said = verify(path, folder)
            expect(ok and "Timestamp" in said, f"{program}'s signature:\n{said}")
        expect(len(answered) == 3 and not any(answered),
               f"the time-stamp authority answered {len(answered)} requests, not 3: {answered}")

        # The release of the build, made without a certificate, carries no signature.
        unsigned = RELEASE / f"Mirebora-{VERSION}-x64.msi"
        expect(not verify(unsigned, folder)[0], f"{unsigned.name} is signed")
        for program, data in programs_in_zip(RELEASE / portable.name).items():
            path = folder / f"unsigned-{program}"
            path.write_bytes(data)
            expect(not verify(path, folder)[0], f"{program} of the unsigned release is signed")

    for failure in failures:
        print(f"FAIL: {failure}", file=sys.stderr)
    if failures:
        sys.exit(1)
    print("PASS")


if __name__ == "__main__":
    main()
