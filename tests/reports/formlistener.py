"""A local listener for the booking-form browser test.

Serves the files of the folder given as its argument, appends the body of
every POST to the file "posts" in that folder (one body a line) and prints
its port on the first line of its output.
"""
import http.server
import os
import sys

folder = sys.argv[1]


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=folder, **kwargs)

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        with open(os.path.join(folder, "posts"), "ab") as f:
            f.write(body + b"\n")
        reply = b"<html><body>thanks</body></html>"
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def guess_type(self, path):
        # No charset: the browser reads the page as a page without one.
        return "text/html"

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(server.server_port, flush=True)
server.serve_forever()
