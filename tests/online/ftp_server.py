#!/usr/bin/python3
"""The maker's FTP server as the online tests need it: pyftpdlib on 127.0.0.1 at a free
port, one account whose login directory is --root (read only, except "incoming", which
takes uploads). Prints "PORT <n>" on its first line once it listens, then serves until it
is killed.

--cut-after N   a download's data connection is closed after N bytes; the server then
                answers 426 (transfer aborted), or 226 (transfer complete) with --lie
--trickle BPS   downloads are sent at about BPS bytes a second
--stall-after N a download sends N bytes, then nothing more, with both connections kept open
--refuse-size   SIZE is refused (the client learns no size)
--size N        SIZE answers N whatever the file's size
--tls CERT      explicit FTP over TLS required for commands and data; a self-signed
                certificate for 127.0.0.1 is made and written to CERT (PEM), the key beside
"""
import argparse
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def make_certificate(path):
    from OpenSSL import crypto

    key = crypto.PKey()
    key.generate_key(crypto.TYPE_RSA, 2048)
    cert = crypto.X509()
    cert.get_subject().CN = "127.0.0.1"
    cert.set_serial_number(1)
    cert.gmtime_adj_notBefore(-60)
    cert.gmtime_adj_notAfter(3600)
    cert.set_issuer(cert.get_subject())
    cert.set_pubkey(key)
    cert.add_extensions([
        crypto.X509Extension(b"subjectAltName", False, b"IP:127.0.0.1"),
        crypto.X509Extension(b"basicConstraints", True, b"CA:TRUE"),
    ])
    cert.sign(key, "sha256")
    with open(path, "wb") as out:
        out.write(crypto.dump_certificate(crypto.FILETYPE_PEM, cert))
    with open(path + ".key", "wb") as out:
        out.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", default="kavrina")
    parser.add_argument("--password", default="lozinka12345")
    parser.add_argument("--cut-after", type=int, default=-1)
    parser.add_argument("--lie", action="store_true")
    parser.add_argument("--trickle", type=int, default=0)
    parser.add_argument("--stall-after", type=int, default=-1)
    parser.add_argument("--refuse-size", action="store_true")
    parser.add_argument("--size", type=int, default=-1)
    parser.add_argument("--tls")
    args = parser.parse_args()
    logging.basicConfig(level=logging.ERROR)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")
    incoming = os.path.join(args.root, "incoming")
    if os.path.isdir(incoming):
        authorizer.override_perm(args.user, incoming, "elrw", recursive=True)

    if args.tls:
        from pyftpdlib.handlers import TLS_FTPHandler

        make_certificate(args.tls)

        class Handler(TLS_FTPHandler):
            pass

        from pyftpdlib.handlers import TLS_DTPHandler

        class TlsDTP(TLS_DTPHandler):
            """pyftpdlib closes a data connection that turns readable before a command
            uses it; a client that starts the TLS handshake at once (libcurl) makes it so."""

            def readable(self):
                if self._ssl_requested and not self._ssl_established:
                    return True
                return TLS_DTPHandler.readable(self)

        Handler.dtp_handler = TlsDTP
        Handler.certfile = args.tls
        Handler.keyfile = args.tls + ".key"
        Handler.tls_control_required = True
        Handler.tls_data_required = True
    else:
        class Handler(FTPHandler):
            pass

    cut_after = args.cut_after
    stall_after = args.stall_after
    lie = args.lie

    class CuttingDTP(ThrottledDTPHandler):
        """Closes a download's data connection once cut_after bytes went out, or falls
        silent after stall_after bytes; sends at most `write_limit` bytes a second."""

        write_limit = args.trickle
        if args.trickle:
            ac_out_buffer_size = max(1, args.trickle // 4)
            auto_sized_buffers = False

        def send(self, data):
            if self.receive:
                return ThrottledDTPHandler.send(self, data)
            if stall_after >= 0:
                room = stall_after - self.tot_bytes_sent
                if room <= 0:
                    self.del_channel()
                    return 0
                return ThrottledDTPHandler.send(self, data[:room])
            if cut_after < 0:
                return ThrottledDTPHandler.send(self, data)
            room = cut_after - self.tot_bytes_sent
            if room <= 0:
                self.transfer_finished = lie
                self._resp = ("226 Transfer complete." if lie else
                              "426 Transfer aborted; %d bytes transmitted." % self.tot_bytes_sent,
                              logging.debug)
                self.close()
                return 0
            return ThrottledDTPHandler.send(self, data[:room])

    if args.refuse_size:
        Handler.ftp_SIZE = lambda self, path: self.respond("502 SIZE not implemented.")
    elif args.size >= 0:
        Handler.ftp_SIZE = lambda self, path: self.respond("213 %d" % args.size)

    Handler.authorizer = authorizer
    Handler.use_sendfile = False
    Handler.auth_failed_timeout = 0.1
    if not args.tls:
        Handler.dtp_handler = CuttingDTP
    Handler.banner = "Velmar test server"

    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
