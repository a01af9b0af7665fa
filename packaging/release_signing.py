"""Authenticode signatures of the release's programs and installer, made with osslsigncode.

The certificate and its private key come as a PKCS#12 file named by MIREBORA_SIGN_PFX, its
password in MIREBORA_SIGN_PASSWORD; with MIREBORA_TIMESTAMP_URL each signature also gets an
RFC 3161 time stamp from that time-stamp authority, so that it stays valid after the
certificate expires. The password reaches osslsigncode through a private file, never on a
command line that any user could read from the process list.
"""

import os
import subprocess
import sys
import tempfile
from pathlib import Path

PFX = "MIREBORA_SIGN_PFX"
PASSWORD = "MIREBORA_SIGN_PASSWORD"
TIMESTAMP_URL = "MIREBORA_TIMESTAMP_URL"


class Signer:
    def __init__(self, pfx, password, timestamp_url, description):
        self.pfx = pfx
        self.password = password
        self.timestamp_url = timestamp_url
        self.description = description

    def sign(self, path):
        """Signs the program or installer at `path` in place."""
        signed = path.with_name(path.name + ".signed")
        with tempfile.TemporaryDirectory() as private:
            password_file = Path(private) / "password"
            password_file.touch(mode=0o600)
            password_file.write_text(self.password, encoding="utf-8")
            command = ["osslsigncode", "sign", "-pkcs12", str(self.pfx), "-readpass",
                       str(password_file), "-h", "sha256", "-n", self.description]
            if self.timestamp_url:
                command += ["-ts", self.timestamp_url]
            command += ["-in", str(path), "-out", str(signed)]
            result = subprocess.run(command, capture_output=True, text=True)
        if result.returncode != 0:
            signed.unlink(missing_ok=True)
            sys.exit(f"make-release: cannot sign {path.name}:\n{result.stdout}{result.stderr}")
        signed.replace(path)


def signer_from_environment(description):
    """The signer the environment asks for, or None (and a note that the release is unsigned)
    when no certificate is given. A certificate without its password is a mistake, not a
    request for an unsigned release."""
    pfx = os.environ.get(PFX)
    password = os.environ.get(PASSWORD)
    if not pfx:
        print(f"make-release: no certificate given ({PFX}, {PASSWORD}): "
              "the programs and the installer are not signed")
        return None
    if password is None:
        sys.exit(f"make-release: {PFX} is set but {PASSWORD} is not")
    if not Path(pfx).is_file():
        sys.exit(f"make-release: {PFX} names no file: {pfx}")
    timestamp_url = os.environ.get(TIMESTAMP_URL) or None
    print(f"make-release: signing with {pfx}" +
          (f", time stamps from {timestamp_url}" if timestamp_url else ", without a time stamp"))
    return Signer(Path(pfx).resolve(), password, timestamp_url, description)
