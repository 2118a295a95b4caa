#!/usr/bin/env python3
"""Reads a multipart/form-data body with Python's email package and prints its
parts as JSON: parse_multipart.py CONTENT-TYPE BODY-FILE."""
import base64
import json
import sys
from email import policy
from email.parser import BytesParser


def main():
    content_type, body_file = sys.argv[1], sys.argv[2]
    with open(body_file, "rb") as f:
        body = f.read()
    message = BytesParser(policy=policy.HTTP).parsebytes(
        b"Content-Type: " + content_type.encode() + b"\r\n\r\n" + body)
    if not message.is_multipart():
        sys.exit("not multipart")
    parts = []
    for part in message.iter_parts():
        parts.append({
            "name": part.get_param("name", header="content-disposition"),
            "filename": part.get_filename(),
            "content_type": part.get_content_type(),
            "explicit_type": "content-type" in part,
            "data": base64.b64encode(part.get_payload(decode=True)).decode(),
        })
    json.dump({"defects": [type(d).__name__ for d in message.defects], "parts": parts}, sys.stdout)


main()
